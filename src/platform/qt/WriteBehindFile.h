#pragma once

#include "platform/LocalFiles.h"
#include "platform/qt/BlockPipe.h"

#include <memory>
#include <thread>

// A copy written behind its caller by a helper thread, in blocks larger than the caller's
// steps, so that the disk works while the caller goes on (a copy loop that reads the next
// step and updates its window). The bytes go to a hidden temporary file beside the
// destination, which commit() renames over the destination once every byte is written
// and the file is closed. A failed write is reported, with the system's reason, by the
// next write() or by commit(); a writer destroyed without a successful commit removes its
// temporary file.
class WriteBehindFile : public FileWriter
{
public:
    // How large a block is, and how many blocks a file has in flight: the memory a copy
    // takes however large the file is.
    static constexpr long long kBlockBytes = 128 * 1024;
    static constexpr int kBlocks = 4;
    // The blocks for the writers of one file service, kept from one file to the next.
    static std::shared_ptr<BlockPool> makeBlockPool();

    // Null, with the failure, when the temporary file cannot be made.
    static std::unique_ptr<WriteBehindFile> open(const QString& path, const QString& temporaryPath,
                                                 std::shared_ptr<BlockPool> pool, LocalFiles::Failure* failure);
    ~WriteBehindFile() override;

    bool write(const char* data, qint64 size) override;
    bool commit() override;
    QString errorString() const override { return m_error; }
    bool diskFull() const override { return m_diskFull; }

private:
    WriteBehindFile(int fd, QString path, QString temporaryPath, std::shared_ptr<BlockPool> pool);
    void writeBlocks();   // the helper thread
    bool fail(int error);

    int m_fd;
    QString m_path;
    QString m_temporaryPath;
    BlockPipe m_pipe;
    BlockPipe::Block m_block;   // the block being filled, when m_holding
    bool m_holding = false;
    bool m_committed = false;
    QString m_error;
    bool m_diskFull = false;
    std::thread m_thread;
};
