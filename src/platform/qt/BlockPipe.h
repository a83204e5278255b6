#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

// Blocks of one size kept between transfers, so that copying many files does not ask the
// system for fresh memory (which it must clear) for each of them. Shared by the transfers
// of one file service; safe to use from any thread.
class BlockPool
{
public:
    BlockPool(long long blockBytes, int keep) : m_blockBytes(blockBytes), m_keep(keep) {}
    long long blockBytes() const { return m_blockBytes; }
    std::unique_ptr<char[]> take();
    // Kept for the next transfer, or freed when the pool already keeps enough.
    void giveBack(std::unique_ptr<char[]> block);

private:
    const long long m_blockBytes;
    const int m_keep;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<char[]>> m_free;
};

// A fixed set of equal blocks of bytes handed in order from one thread (the producer) to
// another (the consumer) and back again. The number of blocks never grows, so the memory
// a file's transfer takes is the same however large the file is.
//
// The producer takes an empty block, fills it, and puts it; the consumer takes the filled
// blocks in the order they were put and gives each back when it is done with it. The
// producer says when no more blocks come; either side may cancel, with the system's error
// number of the failure that stopped it, which wakes and stops both.
class BlockPipe
{
public:
    struct Block
    {
        char* data = nullptr;
        long long size = 0;   // bytes used of the block
        int index = -1;
    };

    // `count` blocks of the pool's size, taken from the pool and given back to it at the end.
    BlockPipe(std::shared_ptr<BlockPool> pool, int count);
    ~BlockPipe();
    BlockPipe(const BlockPipe&) = delete;
    BlockPipe& operator=(const BlockPipe&) = delete;

    long long capacity() const { return m_capacity; }

    // ---- producer ----
    // Waits for an empty block; false once the pipe has been cancelled.
    bool takeEmpty(Block* block);
    void put(const Block& block);
    // No more blocks come.
    void finish();

    // ---- consumer ----
    // Waits for the next filled block; false when there is none left to come (the producer
    // finished, or the pipe was cancelled).
    bool takeFilled(Block* block);
    void giveBack(const Block& block);

    // ---- either side ----
    // Stops both sides: waiting calls return false, blocks still in the pipe are dropped.
    // `error` (when not 0) is kept as the reason unless one is known already.
    void cancel(int error = 0);
    // The error number given to cancel(), 0 when there was none.
    int error() const;

private:
    const std::shared_ptr<BlockPool> m_pool;
    const long long m_capacity;
    std::vector<std::unique_ptr<char[]>> m_storage;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_empty;
    std::deque<Block> m_filled;
    bool m_finished = false;
    bool m_cancelled = false;
    int m_error = 0;
};
