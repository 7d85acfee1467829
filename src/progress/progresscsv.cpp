#include "progresscsv.h"

#include "progressrow.h"

#include <QStringList>

QString ProgressCsv::Field(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray ProgressCsv::Write(const std::vector<StatRecord>& records, const std::vector<int>& rows,
                              const QTimeZone& zone) {
    QString text;
    QStringList fields;
    for (int c = 0; c < ProgressRow::ColumnCount; ++c)
        fields << Field(ProgressRow::Header(c, ProgressRow::Style::Csv));
    text += fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    for (int index : rows) {
        const StatRecord& r = records[static_cast<std::size_t>(index)];
        fields.clear();
        for (int c = 0; c < ProgressRow::ColumnCount; ++c)
            fields << Field(ProgressRow::Text(r, c, zone, ProgressRow::Style::Csv));
        text += fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
