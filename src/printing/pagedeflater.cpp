#include "printing/pagedeflater.h"

PageDeflater::PageDeflater(int level) : m_level(level), m_thread([this] { loop(); }) {}

PageDeflater::~PageDeflater()
{
    finish();
}

QByteArray PageDeflater::deflated(const QByteArray& data, int level)
{
    // qCompress puts the length in front of the zlib stream.
    return qCompress(data, level).mid(4);
}

void PageDeflater::add(QByteArray page)
{
    std::lock_guard lock(m_mutex);
    m_waiting.push_back(std::move(page));
    m_wake.notify_one();
}

void PageDeflater::loop()
{
    for (;;) {
        QByteArray page;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_ending || !m_waiting.empty(); });
            if (m_waiting.empty())
                return;
            page = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        QByteArray packed = deflated(page, m_level);
        std::lock_guard lock(m_mutex);
        m_done.push_back(std::move(packed));
    }
}

std::vector<QByteArray> PageDeflater::finish()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
        m_wake.notify_one();
    }
    if (m_thread.joinable())
        m_thread.join();
    return std::move(m_done);
}
