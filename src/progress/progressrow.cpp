#include "progressrow.h"

#include "textformat.h"
#include "wordbits.h"

#include <QDateTime>
#include <QStringList>

namespace {

const QString Dash = QStringLiteral("\u2013");

// A record holds the practised groups and the positions; any other bit is shown as unknown.
constexpr std::uint16_t KnownSounds = WordBits::GroupMask;
constexpr std::uint16_t KnownPositions = WordBits::PositionMask;

QString hex(std::uint16_t value) {
    return QStringLiteral("0x%1").arg(value, 4, 16, QLatin1Char('0'));
}

// Names of the bits set, joined; unknown bits follow as the stored number.
QString bitNames(std::uint16_t value, const std::uint16_t* bits, int count, std::uint16_t known,
                 QString (*name)(int)) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        if (value & bits[i])
            names << name(i);
    QString text = names.isEmpty() ? Dash : names.join(QStringLiteral(", "));
    if (value & ~known)
        text += QStringLiteral(" (%1)").arg(hex(value));
    return text;
}

QString rawDate(const SystemTime& t) {
    return QStringLiteral("%1-%2-%3 %4:%5:%6 UTC")
        .arg(t.year, 4, 10, QLatin1Char('0'))
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'));
}

QString notes(unsigned flags) {
    struct Note {
        unsigned flag;
        const char* text;
    };
    static const Note Notes[] = {
        {ProgressRow::UnknownKind, "nieznana gra"},
        {ProgressRow::ImpossibleDate, "niemożliwa data"},
        {ProgressRow::UnknownLevel, "nieznana liczba zadań"},
        {ProgressRow::UnknownSounds, "nieznane głoski"},
        {ProgressRow::UnknownPositions, "nieznane pozycje"},
        {ProgressRow::NegativeTime | ProgressRow::NegativeCorrect | ProgressRow::NegativeWrong |
             ProgressRow::NegativeHints,
         "ujemne wartości"},
        {ProgressRow::UnknownCompleted, "nieznany znacznik ukończenia"},
    };
    QStringList list;
    for (const Note& note : Notes)
        if (flags & note.flag)
            list << QString::fromUtf8(note.text);
    return list.join(QStringLiteral("; "));
}

} // namespace

QString ProgressRow::GameName(std::int32_t kind) {
    switch (kind) {
    case 1:
        return QStringLiteral("Podpisywanie");
    case 2:
        return QStringLiteral("Memory");
    case 3:
        return QStringLiteral("Uzupełnianie");
    case 4:
        return QStringLiteral("Spadające");
    default:
        return QStringLiteral("nieznana (%1)").arg(kind);
    }
}

QString ProgressRow::SoundName(int index) {
    static const char* const Names[] = {"SZ", "Ż/RZ", "CZ", "DŻ"};
    return QString::fromUtf8(Names[index]);
}

QString ProgressRow::PositionName(int index) {
    static const char* const Names[] = {"nagłos", "śródgłos", "wygłos"};
    return QString::fromUtf8(Names[index]);
}

QString ProgressRow::Header(int column, Style style) {
    const bool csv = style == Style::Csv;
    switch (column) {
    case Date:
        return QStringLiteral("Data i godzina");
    case Game:
        return QStringLiteral("Gra");
    case Tasks:
        return QStringLiteral("Liczba zadań");
    case Sounds:
        return QStringLiteral("Głoski");
    case Positions:
        return QStringLiteral("Pozycje");
    case Time:
        return csv ? QStringLiteral("Czas gry (s)") : QStringLiteral("Czas gry");
    case Correct:
        return QStringLiteral("Poprawne");
    case Wrong:
        return QStringLiteral("Błędne");
    case Hints:
        return QStringLiteral("Podpowiedzi");
    case Completed:
        return QStringLiteral("Ukończona");
    case Accuracy:
        return csv ? QStringLiteral("Skuteczność (%)") : QStringLiteral("Skuteczność");
    case Notes:
        return QStringLiteral("Uwagi");
    default:
        return {};
    }
}

unsigned ProgressRow::Flags(const StatRecord& r) {
    unsigned flags = 0;
    if (r.kind < 1 || r.kind > 4)
        flags |= UnknownKind;
    if (!r.start.isValid())
        flags |= ImpossibleDate;
    if (r.poziom < 1 || r.poziom > 3)
        flags |= UnknownLevel;
    if (r.gloski & ~KnownSounds)
        flags |= UnknownSounds;
    if (r.pozycja & ~KnownPositions)
        flags |= UnknownPositions;
    if (r.duration < 0)
        flags |= NegativeTime;
    if (r.correct < 0)
        flags |= NegativeCorrect;
    if (r.wrong < 0)
        flags |= NegativeWrong;
    if (r.hints < 0)
        flags |= NegativeHints;
    if (r.completed > 1)
        flags |= UnknownCompleted;
    return flags;
}

bool ProgressRow::IsMarked(const StatRecord& record, int column) {
    const unsigned flags = Flags(record);
    switch (column) {
    case Date:
        return flags & ImpossibleDate;
    case Game:
        return flags & UnknownKind;
    case Tasks:
        return flags & UnknownLevel;
    case Sounds:
        return flags & UnknownSounds;
    case Positions:
        return flags & UnknownPositions;
    case Time:
        return flags & NegativeTime;
    case Correct:
        return flags & NegativeCorrect;
    case Wrong:
        return flags & NegativeWrong;
    case Hints:
        return flags & NegativeHints;
    case Completed:
        return flags & UnknownCompleted;
    case Accuracy:
        return flags & (NegativeCorrect | NegativeWrong);
    case Notes:
        return flags != 0;
    default:
        return false;
    }
}

std::optional<double> ProgressRow::AccuracyOf(std::int64_t correct, std::int64_t wrong) {
    if (correct < 0 || wrong < 0 || correct + wrong == 0)
        return std::nullopt;
    return 100.0 * static_cast<double>(correct) / static_cast<double>(correct + wrong);
}

QString ProgressRow::PercentText(std::optional<double> percent) {
    if (!percent)
        return Dash;
    return QString::number(*percent, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString ProgressRow::Text(const StatRecord& r, int column, const QTimeZone& zone, Style style) {
    const bool csv = style == Style::Csv;
    switch (column) {
    case Date: {
        if (!r.start.isValid())
            return rawDate(r.start);
        const QDateTime utc(QDate(r.start.year, r.start.month, r.start.day),
                            QTime(r.start.hour, r.start.minute, r.start.second), QTimeZone::utc());
        return utc.toTimeZone(zone).toString(csv ? QStringLiteral("yyyy-MM-dd HH:mm")
                                                 : QStringLiteral("dd.MM.yyyy HH:mm"));
    }
    case Game:
        return GameName(r.kind);
    case Tasks: {
        static const char* const Levels[] = {"mało", "średnio", "dużo"};
        if (r.poziom >= 1 && r.poziom <= 3)
            return QString::fromUtf8(Levels[r.poziom - 1]);
        return QStringLiteral("nieznana (%1)").arg(static_cast<std::int16_t>(r.poziom));
    }
    case Sounds:
        return bitNames(r.gloski, SoundBits, 4, KnownSounds, &SoundName);
    case Positions:
        return bitNames(r.pozycja, PositionBits, 3, KnownPositions, &PositionName);
    case Time:
        return csv || r.duration < 0 ? QString::number(r.duration) : FormatDuration(r.duration);
    case Correct:
        return QString::number(r.correct);
    case Wrong:
        return QString::number(r.wrong);
    case Hints:
        return QString::number(r.hints);
    case Completed:
        if (r.completed <= 1)
            return r.completed ? QStringLiteral("tak") : QStringLiteral("nie");
        return QStringLiteral("nieznany (%1)").arg(r.completed);
    case Accuracy: {
        const QString text = PercentText(AccuracyOf(r.correct, r.wrong));
        return csv || text == Dash ? text : text + QStringLiteral(" %");
    }
    case Notes:
        return notes(Flags(r));
    default:
        return {};
    }
}
