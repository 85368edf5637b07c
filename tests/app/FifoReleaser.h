#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// Opens and closes the writing end of a FIFO whenever a reader waits on it, so that a reader that should never have
// opened it ends with an empty file instead of blocking the tests for good.
class FifoReleaser
{
public:
    explicit FifoReleaser(const QString &path)
        : m_path(QFile::encodeName(path))
        , m_thread([this] {
            while (!m_done) {
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        })
    { }
    ~FifoReleaser()
    {
        m_done = true;
        m_thread.join();
    }
    FifoReleaser(const FifoReleaser &) = delete;
    FifoReleaser &operator=(const FifoReleaser &) = delete;

private:
    QByteArray m_path;
    std::atomic<bool> m_done {false};
    std::thread m_thread;
};
