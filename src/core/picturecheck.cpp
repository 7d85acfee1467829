#include "picturecheck.h"

#include "coresplit.h"
#include "imageloader.h"
#include "picturecheckcache.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

bool PictureCheck::Readable(const QString& path) {
    // The named format only, read as the windows will read it, to the picture's end: a PNG
    // renamed to ".xji", or a picture whose data is cut or damaged, fails in the window that
    // loads it. A file that is no regular file is not read at all.
    if (path.endsWith(QLatin1String(".xji"), Qt::CaseInsensitive))
        return ImageDecode::jpegWhole(path);
    if (path.endsWith(QLatin1String(".xbi"), Qt::CaseInsensitive))
        return ImageDecode::bmpWhole(path);
    return ImageDecode::pngWhole(path);
}

QStringList PictureCheck::Unreadable(const QString& folder, const QStringList& files,
                                     PictureCheckCache* cache) {
    // Largest files first.
    const QDir dir(folder);
    std::vector<std::pair<qint64, qsizetype>> order;
    std::vector<char> readable(std::size_t(files.size()), 0);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (cache && cache->Known(dir.filePath(files.at(i))))
            readable[std::size_t(i)] = 1;
        else
            order.emplace_back(-QFileInfo(dir.filePath(files.at(i))).size(), i);
    }
    std::stable_sort(order.begin(), order.end());
    // Shared with a helper on the main thread's processor at the lowest priority: it works
    // while the main thread waits for the answer, and the main thread never waits behind it.
    // The helper takes the smallest files, so that one it is kept from finishing is short.
    const auto count = qsizetype(order.size());
    std::atomic<qsizetype> claimed{0};
    const auto work = [&](bool smallest) {
        for (qsizetype own = 0; claimed++ < count; ++own) {
            const qsizetype file = order[std::size_t(smallest ? count - 1 - own : own)].second;
            readable[std::size_t(file)] = Readable(dir.filePath(files.at(file))) ? 1 : 0;
        }
    };
    if (count > 1) {
        std::thread helper([&] {
            CoreSplit::EnterHelper();
            work(true);
        });
        work(false);
        helper.join();
    } else {
        work(false);
    }
    if (cache)
        for (const auto& [size, file] : order)
            if (readable[std::size_t(file)])
                cache->Add(dir.filePath(files.at(file)));
    QStringList unreadable;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!readable[std::size_t(i)])
            unreadable << files.at(i);
    }
    return unreadable;
}
