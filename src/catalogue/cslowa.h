#pragma once

#include "wordentry.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class RandomGenerator;

// The word catalogue: the 287 built-in words, the candidate list that the last Filter left,
// and the selection drawn from it for the current game. All media paths are relative to the
// current directory, which the program makes its own folder.
class CSlowa {
public:
    enum List { Candidates, Selection };

    static constexpr int WordCount = 287;

    // The generator is reseeded from its clock at every draw; it must outlive the catalogue.
    explicit CSlowa(RandomGenerator& random);

    const std::vector<WordEntry>& Words() const { return m_words; }
    const std::vector<WordEntry>& CandidateList() const { return m_candidates; }
    const std::vector<WordEntry>& SelectionList() const { return m_selection; }
    int CandidateCount() const { return static_cast<int>(m_candidates.size()); }
    int SelectionCount() const { return static_cast<int>(m_selection.size()); }

    // An entry of the candidate list or the selection; throws std::out_of_range outside
    // 0 .. count-1. Games clear the drawn mark of selection entries as words are solved.
    WordEntry& Entry(List list, int i);
    const WordEntry& Entry(List list, int i) const;

    // Rebuilds the candidate list from the words sharing a bit with both masks, in catalogue
    // order; clears the selection.
    void Filter(std::uint16_t positions, std::uint16_t sounds);
    // Drops the selection and its pictures and clears the drawn mark of every candidate.
    void ClearSelection();
    // Draws count distinct candidates at random. False (empty selection) when there are fewer
    // candidates than count.
    bool DrawRandom(int count);
    // Like DrawRandom, but the i-th word comes from slice i mod slices of the candidate list,
    // slices being twice the number of sound groups (bits 0x1..0x8) in soundMask. With no group
    // in soundMask the list counts as one group, two slices.
    bool DrawSpread(int count, std::uint16_t soundMask);

    // Picture loading for the selection. Each returns true when every picture was found and
    // decoded; a missing or undecodable file leaves the picture empty.
    // LoadPictures: the big picture "Data/Bio/<Key><suffix>" and the small one together; when
    // either cannot be had, both stay empty.
    bool LoadPictures(const QString& suffix);
    bool LoadBigPictures(const QString& suffix);
    bool LoadSmallPictures();

    // Tests the six media files of every word in catalogue order. Without a list it stops at
    // the first missing file; with one it appends every missing path. True when none is
    // missing.
    bool CheckResources(QStringList* list) const;

    static QString SmallPicturePath(const QString& key);
    static QString BigPicturePath(const QString& key, const QString& suffix);
    static QString SoundPathOf(const QString& key);
    // The six media files of a word, in check order.
    static QStringList ResourcePaths(const QString& key);

private:
    // Steps from start to the next candidate without the drawn mark, wrapping to the first;
    // -1 when every candidate is marked.
    int nextUnmarked(int start) const;
    void takeCandidate(int index);

    RandomGenerator& m_random;
    std::vector<WordEntry> m_words;
    std::vector<WordEntry> m_candidates;
    std::vector<WordEntry> m_selection;
};
