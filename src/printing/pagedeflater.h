#pragma once

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// Compresses a document's pages on a thread of its own while the next pages are drawn.
class PageDeflater {
public:
    explicit PageDeflater(int level);
    ~PageDeflater();
    PageDeflater(const PageDeflater&) = delete;
    PageDeflater& operator=(const PageDeflater&) = delete;

    void add(QByteArray page);
    // Every page added, compressed, in the order they came; waits for the last ones.
    std::vector<QByteArray> finish();

    // The zlib stream a PDF's FlateDecode reads.
    static QByteArray deflated(const QByteArray& data, int level);

private:
    void loop();

    int m_level;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<QByteArray> m_waiting;
    std::vector<QByteArray> m_done;
    bool m_ending = false;
    std::thread m_thread;
};
