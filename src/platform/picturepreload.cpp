#include "picturepreload.h"

#include "coresplit.h"
#include "imageloader.h"

#include <QFileInfo>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

enum class State { Waiting, Decoding, Decoded, Failed };

// A picture file, known by its canonical path, or an image buffer of a size (no path). The
// worker fills plain memory: the QImage is made by whoever takes it, on that thread.
struct Entry {
    QString key;
    QSize buffer;
    State state = State::Waiting;
    PixelBuffer pixels;

    bool sameJob(const Entry& other) const { return key == other.key && buffer == other.buffer; }
};

// Nothing of the toolkit's GUI runs here: the worker may start before the application object,
// which adds the screens every QImage reads. A file only Qt's reader takes is left to the
// caller.
PixelBuffer decode(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xji"))
        return ImageDecode::jpegPixels(path);
    if (suffix == QLatin1String("xbi"))
        return ImageDecode::bmpPixels(path);
    if (suffix == QLatin1String("png"))
        return ImageDecode::pngPixels(path);
    return {};
}

// Writing every pixel maps the buffer's memory, a page fault per page: over a millisecond for
// a screen-size buffer here, which the thread that takes it then does not spend.
PixelBuffer blackBuffer(QSize size) {
    PixelBuffer buffer(size);
    if (!buffer.isNull())
        buffer.fillBlack();
    return buffer;
}

class Preloader {
public:
    ~Preloader() { stop(); }

    void start(const QStringList& files) {
        const std::lock_guard lock(m_mutex);
        for (const QString& file : files) {
            const QString key = QFileInfo(file).canonicalFilePath();
            if (!key.isEmpty())
                add(Entry{key, {}, State::Waiting, {}});
        }
        startWorker();
    }

    void prepareBuffer(QSize size) {
        const std::lock_guard lock(m_mutex);
        if (size.isEmpty())
            return;
        m_entries.push_back(Entry{{}, size, State::Waiting, {}});
        startWorker();
    }

    std::optional<PixelBuffer> take(const QString& file) {
        std::unique_lock lock(m_mutex);
        if (m_entries.empty())
            return std::nullopt;
        // Only while something is listed does a load cost a look at the file system.
        lock.unlock();
        const QString key = QFileInfo(file).canonicalFilePath();
        lock.lock();
        if (key.isEmpty())
            return std::nullopt;
        return takeJob(lock, Entry{key, {}, State::Waiting, {}});
    }

    std::optional<PixelBuffer> takeBuffer(QSize size) {
        std::unique_lock lock(m_mutex);
        return takeJob(lock, Entry{{}, size, State::Waiting, {}});
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
    // Under the lock: a file once.
    void add(Entry entry) {
        const bool listed = std::any_of(m_entries.begin(), m_entries.end(),
                                        [&](const Entry& e) { return e.sameJob(entry); });
        if (!listed)
            m_entries.push_back(std::move(entry));
    }

    // Under the lock: a thread for the jobs not begun, unless one is at work.
    void startWorker() {
        m_stopping = false;
        if (std::none_of(m_entries.begin(), m_entries.end(),
                         [](const Entry& e) { return e.state == State::Waiting; }))
            return;
        if (m_worker.joinable() && m_finished) {
            // It has left its loop for good and needs the lock no more.
            m_worker.join();
        }
        if (!m_worker.joinable()) {
            m_finished = false;
            m_worker = std::thread([this] { run(); });
        }
    }

    // Under the lock (held by `lock`): the job's result, waiting only while it is under way.
    std::optional<PixelBuffer> takeJob(std::unique_lock<std::mutex>& lock, const Entry& job) {
        for (;;) {
            const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                         [&](const Entry& e) { return e.sameJob(job); });
            if (it == m_entries.end())
                return std::nullopt;
            if (it->state == State::Waiting) {
                // Not begun yet: the caller does it at once rather than wait its turn.
                m_entries.erase(it);
                return std::nullopt;
            }
            if (it->state == State::Decoding) {
                m_ready.wait(lock);
                continue;
            }
            std::optional<PixelBuffer> result;
            if (it->state == State::Decoded)
                result = std::move(it->pixels);
            m_entries.erase(it);
            return result;
        }
    }

    void run() {
        CoreSplit::EnterWorker();
        std::unique_lock lock(m_mutex);
        for (;;) {
            auto next = std::find_if(m_entries.begin(), m_entries.end(),
                                     [](const Entry& e) { return e.state == State::Waiting; });
            if (m_stopping || next == m_entries.end())
                break;
            const Entry job{next->key, next->buffer, State::Decoding, {}};
            next->state = State::Decoding;
            lock.unlock();
            PixelBuffer pixels = job.key.isEmpty() ? blackBuffer(job.buffer) : decode(job.key);
            lock.lock();
            // The entry may have moved in the list (a later Start adds to it).
            for (Entry& entry : m_entries) {
                if (entry.sameJob(job) && entry.state == State::Decoding) {
                    entry.state = pixels.isNull() ? State::Failed : State::Decoded;
                    entry.pixels = std::move(pixels);
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

// The QImage is made here, on the taking thread, over the worker's memory.
std::optional<QImage> PicturePreload::Take(const QString& file) {
    std::optional<PixelBuffer> pixels = preloader().take(file);
    if (!pixels)
        return std::nullopt;
    return std::move(*pixels).toImage();
}

void PicturePreload::PrepareBuffer(QSize size) {
    preloader().prepareBuffer(size);
}

std::optional<QImage> PicturePreload::TakeBuffer(QSize size) {
    std::optional<PixelBuffer> pixels = preloader().takeBuffer(size);
    if (!pixels)
        return std::nullopt;
    return std::move(*pixels).toImage();
}

void PicturePreload::WaitUntilDone() {
    preloader().waitUntilDone();
}

void PicturePreload::Stop() {
    preloader().stop();
}
