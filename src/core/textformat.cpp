#include "textformat.h"

QString LetterToken(const QString& grapheme) {
    static const struct {
        const char16_t* grapheme;
        const char* token;
    } table[] = {
        {u"dż", "dzz"}, {u"dź", "dzzz"}, {u"ż", "zz"}, {u"ź", "zzz"}, {u"ó", "oo"}, {u"ł", "ll"},
        {u"ć", "cc"},   {u"ś", "ss"},    {u"ń", "nn"}, {u"ę", "ee"},  {u"ą", "aa"},
    };
    for (const auto& row : table) {
        if (grapheme == QString::fromUtf16(row.grapheme))
            return QString::fromLatin1(row.token);
    }
    return grapheme;
}

QString FormatDuration(int seconds) {
    return QString::number(seconds / 60) + QStringLiteral(" min ") + QString::number(seconds % 60) +
           QStringLiteral(" s");
}
