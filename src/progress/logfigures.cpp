#include "logfigures.h"

#include "progresswords.h"
#include "wordbits.h"

#include <bit>
#include <cmath>

namespace {

PracticeReport::Figures& operator+=(PracticeReport::Figures& sum,
                                    const PracticeReport::Figures& more) {
    sum.attempts += more.attempts;
    sum.correct += more.correct;
    sum.wrong += more.wrong;
    sum.hints += more.hints;
    if (sum.correct + sum.wrong > 0)
        sum.accuracy = double(sum.correct) / double(sum.correct + sum.wrong);
    return sum;
}

int positionIndex(std::uint16_t position) {
    switch (position) {
    case WordBits::Naglos:
        return 0;
    case WordBits::Srodglos:
        return 1;
    case WordBits::Wyglos:
        return 2;
    default:
        return -1;
    }
}

} // namespace

std::optional<LogFigures> LogFigures::Read(PracticeReport& report,
                                           const PracticeReport::Filter& filter) {
    LogFigures figures;
    const auto cells = report.SoundsByPosition(filter);
    if (!cells)
        return std::nullopt;
    for (const PracticeReport::Cell& cell : *cells) {
        const int sound = SoundIndex(cell.sound);
        const int position = positionIndex(cell.position);
        if (sound >= 0 && position >= 0)
            figures.cells[std::size_t(sound * PositionCount + position)] = cell.figures;
    }
    const auto words = report.MostWrongWords(filter, WordsShown);
    if (!words)
        return std::nullopt;
    for (const PracticeReport::WrongWord& w : *words) {
        const ProgressWords::Word word = ProgressWords::Of(w.word);
        figures.words.push_back(
            {w.word, word.written, word.sound, word.position, w.wrong, w.attempts});
    }
    const auto weeks = report.WeeklyAccuracy(filter);
    if (!weeks)
        return std::nullopt;
    for (const PracticeReport::Week& w : *weeks) {
        const QDate monday = MondayOf(w.isoYear, w.isoWeek);
        const int sound = SoundIndex(w.sound);
        if (!monday.isValid() || sound < 0)
            continue;
        if (figures.weeks.empty() || figures.weeks.back().monday != monday)
            figures.weeks.push_back({monday, {}});
        figures.weeks.back().groups[std::size_t(sound % GroupCount)] += w.figures;
    }
    return figures;
}

const PracticeReport::Figures& LogFigures::Cell(int sound, int position) const {
    return cells[std::size_t(sound * PositionCount + position)];
}

bool LogFigures::HasAnswers() const {
    for (const PracticeReport::Figures& cell : cells)
        if (cell.attempts > 0)
            return true;
    return false;
}

QString LogFigures::SoundName(int index) {
    static const char* const Names[SoundCount] = {"sz", "ż/rz", "cz", "dż", "s", "z", "c", "dz"};
    return index >= 0 && index < SoundCount ? QString::fromUtf8(Names[index]) : QString();
}

int LogFigures::SoundIndex(std::uint16_t sound) {
    return std::has_single_bit(sound) && (sound & WordBits::SoundMask) ? std::countr_zero(sound)
                                                                       : -1;
}

QString LogFigures::CellText(const PracticeReport::Figures& figures) {
    const QString dash = QStringLiteral("—");
    if (figures.attempts <= 0)
        return dash;
    const QString accuracy =
        figures.accuracy
            ? QString::number(std::lround(*figures.accuracy * 100)) + QStringLiteral("\u00A0%")
            : dash;
    return QStringLiteral("%1 (%2)").arg(accuracy).arg(figures.attempts);
}

QString LogFigures::WordDetail(const Word& word) {
    return QStringLiteral("%1 z %2 błędnie").arg(word.wrong).arg(word.attempts);
}

QString LogFigures::WeekLabel(const QDate& monday, bool withYear) {
    return monday.toString(withYear ? QStringLiteral("dd.MM.yy") : QStringLiteral("dd.MM"));
}

QDate LogFigures::MondayOf(int isoYear, int isoWeek) {
    // 4 January is always in week 1.
    const QDate fourth(isoYear, 1, 4);
    if (!fourth.isValid() || isoWeek < 1 || isoWeek > 53)
        return {};
    return fourth.addDays(1 - fourth.dayOfWeek() + 7 * qint64(isoWeek - 1));
}
