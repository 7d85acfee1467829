#include "cslowa.h"

#include "mediafiles.h"
#include "randomgenerator.h"
#include "wordbits.h"
#include "wordtable.h"

#include <QFileInfo>
#include <bit>
#include <stdexcept>

namespace {
const QString kBigSuffixes[] = {QStringLiteral("_ms.xji"), QStringLiteral("_mb.xji"),
                                QStringLiteral("_ups.xji"), QStringLiteral("_upb.xji")};

// A directory under a media file's name is not the file.
bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

// A picture that is missing or cannot be decoded is an empty picture, never an error.
QImage loadPicture(const QString& path) {
    return fileExists(path) ? LoadOptionalJpeg(path) : QImage();
}
} // namespace

CSlowa::CSlowa(RandomGenerator& random) : m_random(random) {
    m_words.reserve(WordCount);
    for (const WordTable::Row& row : WordTable::rows()) {
        WordEntry entry;
        entry.Key = QString::fromLatin1(row.key);
        entry.SoundCode = row.code;
        entry.Segmentation = QString::fromUtf8(row.segmentation);
        entry.SoundPath = SoundPathOf(entry.Key);
        m_words.push_back(std::move(entry));
    }
}

WordEntry& CSlowa::Entry(List list, int i) {
    std::vector<WordEntry>& entries = list == Candidates ? m_candidates : m_selection;
    if (i < 0 || i >= static_cast<int>(entries.size()))
        throw std::out_of_range("CSlowa::Entry: index out of range");
    return entries[static_cast<std::size_t>(i)];
}

const WordEntry& CSlowa::Entry(List list, int i) const {
    return const_cast<CSlowa*>(this)->Entry(list, i);
}

void CSlowa::Filter(std::uint16_t positions, std::uint16_t sounds) {
    m_candidates.clear();
    ClearSelection();
    for (const WordEntry& word : m_words) {
        if ((word.SoundCode & positions) != 0 && (word.SoundCode & sounds) != 0)
            m_candidates.push_back(word);
    }
    m_candidates.shrink_to_fit();
}

void CSlowa::ClearSelection() {
    m_selection.clear();
    for (WordEntry& candidate : m_candidates)
        candidate.setDrawn(false);
}

int CSlowa::nextUnmarked(int start) const {
    const int count = CandidateCount();
    // At most one full turn: the scan ends even if every candidate were marked.
    for (int step = 0; step < count; ++step) {
        const int n = (start + step) % count;
        if (!m_candidates[static_cast<std::size_t>(n)].isDrawn())
            return n;
    }
    return -1;
}

void CSlowa::takeCandidate(int index) {
    WordEntry& candidate = m_candidates[static_cast<std::size_t>(index)];
    candidate.setDrawn(true);
    m_selection.push_back(candidate);
}

bool CSlowa::DrawRandom(int count) {
    ClearSelection();
    if (CandidateCount() < count)
        return false;
    m_random.seedFromClock();
    for (int i = 0; i < count; ++i) {
        const int n = nextUnmarked(m_random.below(CandidateCount()));
        if (n < 0) {
            ClearSelection();
            return false;
        }
        takeCandidate(n);
    }
    m_selection.shrink_to_fit();
    return true;
}

bool CSlowa::DrawSpread(int count, std::uint16_t soundMask) {
    ClearSelection();
    if (CandidateCount() < count)
        return false;
    m_random.seedFromClock();
    const int groups = std::popcount(static_cast<unsigned>(soundMask & WordBits::GroupMask));
    const int slices = 2 * (groups > 0 ? groups : 1);
    const int size = CandidateCount() / slices;
    int d = 0;
    for (int i = 0; i < count; ++i) {
        const int n = nextUnmarked(m_random.below(size) + size * d);
        if (n < 0) {
            ClearSelection();
            return false;
        }
        takeCandidate(n);
        if (++d == slices)
            d = 0;
    }
    m_selection.shrink_to_fit();
    return true;
}

bool CSlowa::LoadPictures(const QString& suffix) {
    bool all = true;
    for (WordEntry& entry : m_selection) {
        entry.BigPicture = loadPicture(BigPicturePath(entry.Key, suffix));
        entry.SmallPicture =
            entry.BigPicture.isNull() ? QImage() : loadPicture(SmallPicturePath(entry.Key));
        if (entry.SmallPicture.isNull()) {
            entry.BigPicture = QImage();
            all = false;
        }
    }
    return all;
}

bool CSlowa::LoadBigPictures(const QString& suffix) {
    bool all = true;
    for (WordEntry& entry : m_selection) {
        entry.BigPicture = loadPicture(BigPicturePath(entry.Key, suffix));
        all = all && !entry.BigPicture.isNull();
    }
    return all;
}

bool CSlowa::LoadSmallPictures() {
    bool all = true;
    for (WordEntry& entry : m_selection) {
        entry.SmallPicture = loadPicture(SmallPicturePath(entry.Key));
        all = all && !entry.SmallPicture.isNull();
    }
    return all;
}

bool CSlowa::CheckResources(QStringList* list) const {
    bool all = true;
    for (const WordEntry& word : m_words) {
        for (const QString& path : ResourcePaths(word.Key)) {
            if (fileExists(path))
                continue;
            if (!list)
                return false;
            list->append(path);
            all = false;
        }
    }
    return all;
}

QString CSlowa::SmallPicturePath(const QString& key) {
    return QStringLiteral("Data/Sio/s") + key + QStringLiteral(".xji");
}

QString CSlowa::BigPicturePath(const QString& key, const QString& suffix) {
    return QStringLiteral("Data/Bio/") + key + suffix;
}

QString CSlowa::SoundPathOf(const QString& key) {
    return QStringLiteral("Data/Smd/") + key + QStringLiteral(".pw");
}

QStringList CSlowa::ResourcePaths(const QString& key) {
    QStringList paths{SmallPicturePath(key)};
    for (const QString& suffix : kBigSuffixes)
        paths.append(BigPicturePath(key, suffix));
    paths.append(SoundPathOf(key));
    return paths;
}
