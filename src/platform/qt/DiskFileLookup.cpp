#include "platform/qt/DiskFileLookup.h"

#include "platform/qt/SystemError.h"

#include <QFile>
#include <QMutexLocker>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

QStringList componentsOf(const QString& relative)
{
    return relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

bool wildcardMatch(const QChar* p, const QChar* pe, const QChar* n, const QChar* ne)
{
    // Iterative match with backtracking to the last '*'.
    const QChar* starP = nullptr;
    const QChar* starN = nullptr;
    while (n != ne) {
        if (p != pe && *p == QLatin1Char('*')) {
            starP = ++p;
            starN = n;
        } else if (p != pe && (*p == QLatin1Char('?') || *p == *n)) {
            ++p;
            ++n;
        } else if (starP) {
            p = starP;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p != pe && *p == QLatin1Char('*'))
        ++p;
    return p == pe;
}

} // namespace

QString DiskFileLookup::foldCase(const QString& name)
{
    QString folded = name;
    for (QChar& c : folded) {
        const ushort u = c.unicode();
        if (u >= 'A' && u <= 'Z')
            c = QChar(u + ('a' - 'A'));
    }
    return folded;
}

bool DiskFileLookup::matches(const QString& pattern, const QString& name)
{
    // As on the old file systems, "*.*" stands for every name, with or without a dot.
    if (pattern == QLatin1String("*.*"))
        return true;
    const QString p = foldCase(pattern);
    const QString n = foldCase(name);
    return wildcardMatch(p.constData(), p.constData() + p.size(), n.constData(), n.constData() + n.size());
}

bool DiskFileLookup::hasWildcards(const QString& s)
{
    return s.contains(QLatin1Char('*')) || s.contains(QLatin1Char('?'));
}

int DiskFileLookup::directoryReads() const
{
    QMutexLocker lock(&m_mutex);
    return m_reads;
}

const DiskFileLookup::Index* DiskFileLookup::index(const QString& folder, Read* state, QString* error)
{
    const QByteArray native = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        const int err = errno;
        m_cache.remove(folder);
        *state = (err == ENOENT || err == ENOTDIR) ? Read::Missing : Read::Failed;
        *error = systemError(err);
        return nullptr;
    }
    if (!S_ISDIR(st.st_mode)) {
        m_cache.remove(folder);
        *state = Read::Missing;
        *error = systemError(ENOTDIR);
        return nullptr;
    }

    auto cached = m_cache.constFind(folder);
    if (cached != m_cache.constEnd() && cached->device == st.st_dev && cached->inode == st.st_ino
        && sameTime(cached->mtime, st.st_mtim) && sameTime(cached->ctime, st.st_ctim)) {
        *state = Read::Ok;
        return &cached.value();
    }

    DIR* dir = ::opendir(native.constData());
    if (!dir) {
        const int err = errno;
        m_cache.remove(folder);
        *state = Read::Failed;
        *error = systemError(err);
        return nullptr;
    }
    ++m_reads;
    Index idx;
    idx.device = st.st_dev;
    idx.inode = st.st_ino;
    idx.mtime = st.st_mtim;
    idx.ctime = st.st_ctim;
    while (dirent* d = ::readdir(dir)) {
        if (d->d_name[0] == '.')
            continue; // hidden files and folders are never listed
        Entry e;
        e.name = QFile::decodeName(d->d_name);
        bool isDir = d->d_type == DT_DIR;
        bool isFile = d->d_type == DT_REG;
        if (d->d_type == DT_UNKNOWN || d->d_type == DT_LNK) {
            struct stat est {};
            const QByteArray path = native + '/' + d->d_name;
            if (::stat(path.constData(), &est) == 0) {
                isDir = S_ISDIR(est.st_mode);
                isFile = S_ISREG(est.st_mode);
            }
        }
        if (!isDir && !isFile)
            continue;
        e.isDir = isDir;
        idx.entries.append(e);
    }
    ::closedir(dir);

    // Name order without regard to case, ties by the stored spelling: the same order on every run.
    std::sort(idx.entries.begin(), idx.entries.end(), [](const Entry& a, const Entry& b) {
        const QString fa = foldCase(a.name), fb = foldCase(b.name);
        return fa == fb ? a.name < b.name : fa < fb;
    });
    for (int i = 0; i < idx.entries.size(); ++i) {
        const QString folded = foldCase(idx.entries[i].name);
        QHash<QString, int>& map = idx.entries[i].isDir ? idx.firstDir : idx.firstFile;
        if (!map.contains(folded))
            map.insert(folded, i);
    }
    *state = Read::Ok;
    return &m_cache.insert(folder, std::move(idx)).value();
}

DiskFileLookup::Read DiskFileLookup::walk(const QString& root, const QStringList& components, QString* folder,
                                          const Index** last, QString* error)
{
    Read state = Read::Ok;
    const Index* idx = index(root, &state, error);
    if (!idx)
        return Read::Failed; // the root itself missing or unreadable: the drive cannot be read
    QString current = root;
    for (int i = 0; i + 1 < components.size(); ++i) {
        auto it = idx->firstDir.constFind(foldCase(components[i]));
        if (it == idx->firstDir.constEnd())
            return Read::Missing;
        current += QLatin1Char('/') + idx->entries[*it].name;
        idx = index(current, &state, error);
        if (!idx)
            return state;
    }
    *folder = current;
    *last = idx;
    return Read::Ok;
}

Listing DiskFileLookup::first(const QString& root, const QString& relative)
{
    QMutexLocker lock(&m_mutex);
    Listing result;
    const QStringList parts = componentsOf(relative);
    QString folder;
    const Index* idx = nullptr;
    const Read state = walk(root, parts, &folder, &idx, &result.error);
    if (state == Read::Failed) {
        result.failed = true;
        return result;
    }
    result.error.clear();
    if (state == Read::Missing || parts.isEmpty())
        return result;
    const QString& last = parts.last();
    int hit = -1;
    if (hasWildcards(last)) {
        for (int i = 0; i < idx->entries.size(); ++i) {
            if (!idx->entries[i].isDir && matches(last, idx->entries[i].name)) {
                hit = i;
                break;
            }
        }
    } else {
        hit = idx->firstFile.value(foldCase(last), -1);
    }
    if (hit >= 0) {
        result.name = idx->entries[hit].name;
        result.path = folder + QLatin1Char('/') + result.name;
    }
    return result;
}

QStringList DiskFileLookup::all(const QString& root, const QString& relative, bool* failed, QString* error)
{
    QMutexLocker lock(&m_mutex);
    QStringList names;
    QString reason;
    const QStringList parts = componentsOf(relative);
    QString folder;
    const Index* idx = nullptr;
    const Read state = walk(root, parts, &folder, &idx, &reason);
    if (failed)
        *failed = state == Read::Failed;
    if (error)
        *error = state == Read::Failed ? reason : QString();
    if (state != Read::Ok || parts.isEmpty())
        return names;
    for (const Entry& e : idx->entries) {
        if (!e.isDir && matches(parts.last(), e.name))
            names.append(e.name);
    }
    return names;
}

QString DiskFileLookup::folder(const QString& root, const QString& relative)
{
    QMutexLocker lock(&m_mutex);
    // The walk finds every component but the last as a folder.
    QStringList parts = componentsOf(relative);
    parts.append(QString());
    QString found;
    const Index* idx = nullptr;
    QString error;
    return walk(root, parts, &found, &idx, &error) == Read::Ok ? found : QString();
}
