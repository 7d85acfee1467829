#include "progresscsv.h"

#include "logfigures.h"
#include "progressrow.h"
#include "progresswords.h"

#include <QDateTime>

namespace {

QString line(const QStringList& texts) {
    QStringList fields;
    for (const QString& text : texts)
        fields << ProgressCsv::Field(text);
    return fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

QByteArray withMark(const QString& text) {
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString positionName(std::uint16_t position) {
    for (int i = 0; i < 3; ++i)
        if (position == ProgressRow::PositionBits[i])
            return ProgressRow::PositionName(i);
    return QString::number(position);
}

} // namespace

QString ProgressCsv::Field(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString ProgressCsv::ChildName(const QString& name) {
    return name.isEmpty() ? QStringLiteral("Gość") : name;
}

QString ProgressCsv::OutcomeName(const QString& outcome) {
    if (outcome == QLatin1String("correct"))
        return QStringLiteral("poprawna");
    if (outcome == QLatin1String("wrong"))
        return QStringLiteral("błędna");
    if (outcome == QLatin1String("hint"))
        return QStringLiteral("podpowiedź");
    return outcome;
}

QByteArray ProgressCsv::Write(const std::vector<StatRecord>& records, const std::vector<int>& rows,
                              const QTimeZone& zone, const QStringList* names) {
    QStringList fields;
    for (int c = 0; c < ProgressRow::ColumnCount; ++c)
        fields << ProgressRow::Header(c, ProgressRow::Style::Csv);
    if (names)
        fields << QStringLiteral("Dziecko");
    QString text = line(fields);
    for (int index : rows) {
        const StatRecord& r = records[static_cast<std::size_t>(index)];
        fields.clear();
        for (int c = 0; c < ProgressRow::ColumnCount; ++c)
            fields << ProgressRow::Text(r, c, zone, ProgressRow::Style::Csv);
        if (names)
            fields << names->value(index);
        text += line(fields);
    }
    return withMark(text);
}

QByteArray ProgressCsv::WriteAnswers(const std::vector<PracticeReport::Answer>& answers,
                                     const QTimeZone& zone) {
    QString text =
        line({QStringLiteral("Data i godzina"), QStringLiteral("Gra"), QStringLiteral("Wyraz"),
              QStringLiteral("Klucz"), QStringLiteral("Głoska"), QStringLiteral("Pozycja"),
              QStringLiteral("Wynik"), QStringLiteral("Odpowiedź"), QStringLiteral("Dziecko")});
    for (const PracticeReport::Answer& a : answers) {
        const QDateTime at = QDateTime::fromString(a.at, Qt::ISODate);
        const int sound = LogFigures::SoundIndex(a.sound);
        text += line(
            {at.isValid() ? at.toTimeZone(zone).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          : a.at,
             ProgressRow::GameName(a.kind), ProgressWords::Of(a.word).written, a.word,
             sound >= 0 ? LogFigures::SoundName(sound) : QString::number(a.sound),
             positionName(a.position), OutcomeName(a.outcome), a.answer, ChildName(a.childName)});
    }
    return withMark(text);
}
