#include "platform/fake/FakeLibraryFiles.h"

#include "platform/qt/DiskFileLookup.h"

#include <QFileInfo>

namespace {

QString foldedName(const QString& path)
{
    return DiskFileLookup::foldCase(QFileInfo(path).fileName());
}

class FakeReader : public FileReader
{
public:
    FakeReader(FakeLocalFiles& owner, QString path, std::unique_ptr<FileReader> real)
        : m_owner(owner), m_path(std::move(path)), m_real(std::move(real))
    {
    }
    qint64 size() const override { return m_real->size(); }
    qint64 read(char* data, qint64 size) override
    {
        if (m_owner.onRead)
            m_owner.onRead(m_path, m_done);
        const QString failure = FakeLocalFiles::lookUp(m_owner.failingReads, m_path);
        if (!failure.isNull()) {
            m_error = failure;
            return -1;
        }
        const qint64 n = m_real->read(data, size);
        if (n > 0)
            m_done += n;
        return n;
    }
    QString errorString() const override { return m_error.isNull() ? m_real->errorString() : m_error; }

private:
    FakeLocalFiles& m_owner;
    QString m_path;
    std::unique_ptr<FileReader> m_real;
    QString m_error;
    qint64 m_done = 0;
};

class FakeWriter : public FileWriter
{
public:
    FakeWriter(FakeLocalFiles& owner, QString path, std::unique_ptr<FileWriter> real)
        : m_owner(owner), m_path(std::move(path)), m_real(std::move(real))
    {
    }
    bool write(const char* data, qint64 size) override
    {
        if (m_owner.onWrite)
            m_owner.onWrite(m_path, size);
        const QString failure = FakeLocalFiles::lookUp(m_owner.failingWrites, m_path);
        if (!failure.isNull())
            return fail(failure, false);
        if (m_owner.spaceLeft >= 0 && size > m_owner.spaceLeft) {
            // What fits is written, as on a real disk.
            const qint64 fits = m_owner.spaceLeft;
            m_owner.spaceLeft = 0;
            if (fits > 0 && !m_real->write(data, fits))
                return fail(m_real->errorString(), m_real->diskFull());
            return fail(m_owner.diskFullError, true);
        }
        if (!m_real->write(data, size))
            return fail(m_real->errorString(), m_real->diskFull());
        if (m_owner.spaceLeft >= 0)
            m_owner.spaceLeft -= size;
        return true;
    }
    bool commit() override
    {
        if (!m_real->commit())
            return fail(m_real->errorString(), m_real->diskFull());
        m_owner.committed.append(m_path);
        return true;
    }
    QString errorString() const override { return m_error; }
    bool diskFull() const override { return m_full; }

private:
    bool fail(const QString& error, bool full)
    {
        m_error = error;
        m_full = full;
        return false;
    }

    FakeLocalFiles& m_owner;
    QString m_path;
    std::unique_ptr<FileWriter> m_real;
    QString m_error;
    bool m_full = false;
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

std::unique_ptr<FileReader> FakeLocalFiles::openRead(const QString& path, Failure* failure)
{
    auto reader = real.openRead(path, failure);
    if (!reader)
        return nullptr;
    return std::make_unique<FakeReader>(*this, path, std::move(reader));
}

std::unique_ptr<FileWriter> FakeLocalFiles::openWrite(const QString& path, Failure* failure)
{
    auto writer = real.openWrite(path, failure);
    if (!writer)
        return nullptr;
    return std::make_unique<FakeWriter>(*this, path, std::move(writer));
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
