#include "picturepreload.h"

#include "imageloader.h"

#include <QFileInfo>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

enum class State { Waiting, Decoding, Decoded, Failed };

struct Entry {
    QString key;
    State state = State::Waiting;
    QImage image;
};

QImage decode(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    try {
        if (suffix == QLatin1String("xji"))
            return ImageDecode::jpeg(path);
        if (suffix == QLatin1String("xbi"))
            return ImageDecode::bmp(path);
        if (suffix == QLatin1String("png"))
            return ImageDecode::png(path);
    } catch (const ImageLoadError&) {
    }
    return {};
}

class Preloader {
public:
    ~Preloader() { stop(); }

    void start(const QStringList& files) {
        std::unique_lock lock(m_mutex);
        for (const QString& file : files) {
            const QString key = QFileInfo(file).canonicalFilePath();
            const bool listed = std::any_of(m_entries.begin(), m_entries.end(),
                                            [&](const Entry& e) { return e.key == key; });
            if (!key.isEmpty() && !listed)
                m_entries.push_back(Entry{key, State::Waiting, {}});
        }
        m_stopping = false;
        if (m_worker.joinable() && m_finished) {
            // It has left its loop for good and needs the lock no more.
            m_worker.join();
        }
        if (!m_worker.joinable()) {
            m_finished = false;
            m_worker = std::thread([this] { run(); });
        }
    }

    std::optional<QImage> take(const QString& file) {
        std::unique_lock lock(m_mutex);
        if (m_entries.empty())
            return std::nullopt;
        // Only while something is listed does a load cost a look at the file system.
        lock.unlock();
        const QString key = QFileInfo(file).canonicalFilePath();
        lock.lock();
        for (;;) {
            const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                         [&](const Entry& e) { return e.key == key; });
            if (key.isEmpty() || it == m_entries.end())
                return std::nullopt;
            if (it->state == State::Waiting) {
                // Not begun yet: the caller reads it at once rather than wait its turn.
                m_entries.erase(it);
                return std::nullopt;
            }
            if (it->state == State::Decoding) {
                m_ready.wait(lock);
                continue;
            }
            std::optional<QImage> result;
            if (it->state == State::Decoded)
                result = std::move(it->image);
            m_entries.erase(it);
            return result;
        }
    }

    void waitUntilDone() {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] {
            return std::none_of(m_entries.begin(), m_entries.end(), [](const Entry& e) {
                return e.state == State::Waiting || e.state == State::Decoding;
            });
        });
    }

    void stop() {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        if (m_worker.joinable())
            m_worker.join();
        const std::lock_guard lock(m_mutex);
        m_entries.clear();
        m_ready.notify_all();
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            auto next = std::find_if(m_entries.begin(), m_entries.end(),
                                     [](const Entry& e) { return e.state == State::Waiting; });
            if (m_stopping || next == m_entries.end())
                break;
            const QString key = next->key;
            next->state = State::Decoding;
            lock.unlock();
            QImage image = decode(key);
            lock.lock();
            // The entry may have moved in the list (a later Start adds to it).
            for (Entry& entry : m_entries) {
                if (entry.key == key && entry.state == State::Decoding) {
                    entry.state = image.isNull() ? State::Failed : State::Decoded;
                    entry.image = std::move(image);
                    break;
                }
            }
            m_ready.notify_all();
        }
        // Whoever still waits gives up on a picture that will not come.
        for (Entry& entry : m_entries)
            if (entry.state == State::Waiting || entry.state == State::Decoding)
                entry.state = State::Failed;
        m_ready.notify_all();
        // A later Start joins this thread and makes a new one.
        m_finished = true;
    }

    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Entry> m_entries;
    std::thread m_worker;
    bool m_stopping = false;
    bool m_finished = false;
};

Preloader& preloader() {
    static Preloader instance;
    return instance;
}

} // namespace

void PicturePreload::Start(const QStringList& files) {
    preloader().start(files);
}

std::optional<QImage> PicturePreload::Take(const QString& file) {
    return preloader().take(file);
}

void PicturePreload::WaitUntilDone() {
    preloader().waitUntilDone();
}

void PicturePreload::Stop() {
    preloader().stop();
}
