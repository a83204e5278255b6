#include "platform/qt/BlockPipe.h"

std::unique_ptr<char[]> BlockPool::take()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_free.empty()) {
            std::unique_ptr<char[]> block = std::move(m_free.back());
            m_free.pop_back();
            return block;
        }
    }
    return std::unique_ptr<char[]>(new char[std::size_t(m_blockBytes)]);
}

void BlockPool::giveBack(std::unique_ptr<char[]> block)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (int(m_free.size()) < m_keep)
        m_free.push_back(std::move(block));
}

BlockPipe::BlockPipe(std::shared_ptr<BlockPool> pool, int count)
    : m_pool(std::move(pool)), m_capacity(m_pool->blockBytes())
{
    for (int i = 0; i < count; ++i) {
        m_storage.push_back(m_pool->take());
        m_empty.push_back(i);
    }
}

BlockPipe::~BlockPipe()
{
    for (std::unique_ptr<char[]>& block : m_storage)
        m_pool->giveBack(std::move(block));
}

bool BlockPipe::takeEmpty(Block* block)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancelled || !m_empty.empty(); });
    if (m_cancelled)
        return false;
    const int index = m_empty.front();
    m_empty.pop_front();
    *block = Block{m_storage[index].get(), 0, index};
    return true;
}

void BlockPipe::put(const Block& block)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_cancelled)
            m_empty.push_back(block.index);
        else
            m_filled.push_back(block);
    }
    m_changed.notify_all();
}

void BlockPipe::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
}

bool BlockPipe::takeFilled(Block* block)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_cancelled || m_finished || !m_filled.empty(); });
    if (m_cancelled || m_filled.empty())
        return false;
    *block = m_filled.front();
    m_filled.pop_front();
    return true;
}

void BlockPipe::giveBack(const Block& block)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_empty.push_back(block.index);
    }
    m_changed.notify_all();
}

void BlockPipe::cancel(int error)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
        if (m_error == 0)
            m_error = error;
        for (const Block& block : m_filled)
            m_empty.push_back(block.index);
        m_filled.clear();
    }
    m_changed.notify_all();
}

int BlockPipe::error() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_error;
}
