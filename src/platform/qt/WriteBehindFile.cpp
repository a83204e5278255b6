#include "platform/qt/WriteBehindFile.h"

#include "platform/qt/SystemError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool isDiskFull(int error)
{
    // A quota is as full as a disk for a copy.
    return error == ENOSPC || error == EDQUOT;
}

// Writes all of `data`: 0, or the system's error number. A write that takes only part of
// the bytes (the last ones that fit) is followed by one that says why the rest do not.
int writeFully(int fd, const char* data, long long size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, std::size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data += n;
        size -= n;
    }
    return 0;
}

} // namespace

std::shared_ptr<BlockPool> WriteBehindFile::makeBlockPool()
{
    // One writer at work, and the blocks of the one before it while it ends.
    return std::make_shared<BlockPool>(kBlockBytes, 2 * kBlocks);
}

std::unique_ptr<WriteBehindFile> WriteBehindFile::open(const QString& path, const QString& temporaryPath,
                                                       std::shared_ptr<BlockPool> pool, LocalFiles::Failure* failure)
{
    const int fd =
        ::open(QFile::encodeName(temporaryPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int err = errno;
        if (failure)
            *failure = LocalFiles::Failure{systemError(err), isDiskFull(err)};
        return nullptr;
    }
    return std::unique_ptr<WriteBehindFile>(new WriteBehindFile(fd, path, temporaryPath, std::move(pool)));
}

WriteBehindFile::WriteBehindFile(int fd, QString path, QString temporaryPath, std::shared_ptr<BlockPool> pool)
    : m_fd(fd), m_path(std::move(path)), m_temporaryPath(std::move(temporaryPath)), m_pipe(std::move(pool), kBlocks)
{
    m_thread = std::thread([this] { writeBlocks(); });
}

WriteBehindFile::~WriteBehindFile()
{
    if (m_thread.joinable()) {
        // Abandoned: what is still waiting to be written is dropped.
        m_pipe.cancel();
        m_thread.join();
    }
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed)
        ::unlink(QFile::encodeName(m_temporaryPath).constData());
}

void WriteBehindFile::writeBlocks()
{
    BlockPipe::Block block;
    while (m_pipe.takeFilled(&block)) {
        const int err = writeFully(m_fd, block.data, block.size);
        m_pipe.giveBack(block);
        if (err != 0) {
            // Nothing more is written: the caller learns why at its next step.
            m_pipe.cancel(err);
            return;
        }
    }
}

bool WriteBehindFile::write(const char* data, qint64 size)
{
    while (size > 0) {
        if (!m_holding) {
            if (!m_pipe.takeEmpty(&m_block))
                return fail(m_pipe.error());
            m_holding = true;
        }
        const qint64 n = std::min<qint64>(size, m_pipe.capacity() - m_block.size);
        std::memcpy(m_block.data + m_block.size, data, std::size_t(n));
        m_block.size += n;
        data += n;
        size -= n;
        if (m_block.size == m_pipe.capacity()) {
            m_pipe.put(m_block);
            m_holding = false;
        }
    }
    const int err = m_pipe.error();
    return err == 0 || fail(err);
}

bool WriteBehindFile::commit()
{
    if (m_holding) {
        m_pipe.put(m_block);
        m_holding = false;
    }
    // Every block put is written before the helper thread ends.
    m_pipe.finish();
    if (m_thread.joinable())
        m_thread.join();
    if (m_pipe.error() != 0)
        return fail(m_pipe.error());
    const int closed = ::close(m_fd);
    const int closeError = errno;
    m_fd = -1;
    if (closed != 0)
        return fail(closeError);
    // rename() replaces the destination in one step: an old copy stays until the new one is whole.
    if (std::rename(QFile::encodeName(m_temporaryPath).constData(), QFile::encodeName(m_path).constData()) != 0)
        return fail(errno);
    m_committed = true;
    return true;
}

bool WriteBehindFile::fail(int error)
{
    if (error == 0)
        error = EIO;
    m_error = systemError(error);
    m_diskFull = isDiskFull(error);
    return false;
}
