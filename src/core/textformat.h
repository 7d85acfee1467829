#pragma once

#include <QString>

// Texts the program makes from its data: parts of file names and what the screens show.

// ASCII token of a Polish grapheme for file and picture names ("ż" → "zz", "dź" → "dzzz").
QString LetterToken(const QString& grapheme);

// "2 min 5 s" for 125 seconds.
QString FormatDuration(int seconds);
