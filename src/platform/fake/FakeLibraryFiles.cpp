#include "platform/fake/FakeLibraryFiles.h"

#include "platform/qt/DiskFileLookup.h"

#include <QFileInfo>

namespace {

QString foldedName(const QString& path)
{
    return DiskFileLookup::foldCase(QFileInfo(path).fileName());
}

class FakeCopy : public FileCopy
{
public:
    FakeCopy(FakeLocalFiles& owner, QString source, QString destination, std::unique_ptr<FileCopy> real)
        : m_owner(owner), m_source(std::move(source)), m_destination(std::move(destination)), m_real(std::move(real))
    {
    }
    qint64 size() const override { return m_real->size(); }
    bool copy(qint64 size) override
    {
        if (m_owner.onRead)
            m_owner.onRead(m_source, m_done);
        const QString readFailure = FakeLocalFiles::lookUp(m_owner.failingReads, m_source);
        if (!readFailure.isNull())
            return fail(readFailure, false);
        if (m_owner.onWrite)
            m_owner.onWrite(m_destination, size);
        const QString writeFailure = FakeLocalFiles::lookUp(m_owner.failingWrites, m_destination);
        if (!writeFailure.isNull())
            return fail(writeFailure, false);
        if (m_owner.spaceLeft >= 0 && size > m_owner.spaceLeft) {
            // What fits is written, as on a real disk.
            const qint64 fits = m_owner.spaceLeft;
            m_owner.spaceLeft = 0;
            if (fits > 0 && !m_real->copy(fits))
                return fail(m_real->failure());
            return fail(m_owner.diskFullError, true);
        }
        if (!m_real->copy(size))
            return fail(m_real->failure());
        m_done += size;
        if (m_owner.spaceLeft >= 0)
            m_owner.spaceLeft -= size;
        return true;
    }
    bool commit() override
    {
        if (!m_real->commit())
            return fail(m_real->failure());
        m_owner.committed.append(m_destination);
        return true;
    }
    FileFailure failure() const override { return m_failure; }

private:
    bool fail(const QString& error, bool full) { return fail(FileFailure{error, full}); }
    bool fail(const FileFailure& failure)
    {
        m_failure = failure;
        return false;
    }

    FakeLocalFiles& m_owner;
    QString m_source;
    QString m_destination;
    std::unique_ptr<FileCopy> m_real;
    FileFailure m_failure;
    qint64 m_done = 0;
};

} // namespace

bool FakeDiskSpace::diskFreeSpace(const QString& folder, DiskFigures* out, QString* error)
{
    asked.append(folder);
    if (fail) {
        if (error)
            *error = QStringLiteral("Input/output error");
        return false;
    }
    *out = figures;
    return true;
}

bool FakeLocalFiles::named(const QStringList& names, const QString& path)
{
    const QString name = foldedName(path);
    for (const QString& n : names) {
        if (DiskFileLookup::foldCase(n) == name)
            return true;
    }
    return false;
}

QString FakeLocalFiles::lookUp(const QHash<QString, QString>& byName, const QString& path)
{
    const QString name = foldedName(path);
    for (auto it = byName.constBegin(); it != byName.constEnd(); ++it) {
        if (DiskFileLookup::foldCase(it.key()) == name)
            return it.value();
    }
    return QString();
}

std::unique_ptr<FileCopy> FakeLocalFiles::openCopy(const QString& source, const QString& destination,
                                                   FileFailure* failure)
{
    auto copy = real.openCopy(source, destination, failure);
    if (!copy)
        return nullptr;
    return std::make_unique<FakeCopy>(*this, source, destination, std::move(copy));
}

bool FakeLocalFiles::writeFile(const QString& path, const QByteArray& bytes, FileFailure* failure)
{
    if (onWrite)
        onWrite(path, bytes.size());
    const QString error = lookUp(failingWrites, path);
    if (!error.isNull()) {
        if (failure)
            *failure = FileFailure{error, false};
        return false;
    }
    return real.writeFile(path, bytes, failure);
}

bool FakeLocalFiles::flush(const QStringList& files, const QString& folder, QString* error)
{
    flushed += files;
    flushed.append(folder);
    if (!flushError.isNull() && !files.isEmpty()) {
        if (error)
            *error = flushError;
        return false;
    }
    return real.flush(files, folder, error);
}

bool FakeLocalFiles::makeFolder(const QString& path, QString* error)
{
    return real.makeFolder(path, error);
}

bool FakeLocalFiles::removeFile(const QString& path, QString* error)
{
    if (named(undeletable, path)) {
        if (error)
            *error = QStringLiteral("Operation not permitted");
        return false;
    }
    if (!real.removeFile(path, error))
        return false;
    removedFiles.append(path);
    return true;
}

bool FakeLocalFiles::removeFolder(const QString& path, QString* error)
{
    return real.removeFolder(path, error);
}
