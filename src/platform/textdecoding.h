#pragma once

#include <QByteArrayView>
#include <QString>

// Decoding of text files written by older, single-byte Polish Windows programs as well as by
// this program (UTF-8).

// Windows-1250 (Central European) bytes to text. The five byte values the code page leaves
// undefined map to the C1 control characters of the same number, as Windows does.
QString decodeCp1250(QByteArrayView bytes);

// A text file's bytes to text: a UTF-8 byte-order mark selects UTF-8 (and is dropped);
// otherwise valid UTF-8 is read as UTF-8 and anything else as Windows-1250.
QString decodeTextFile(QByteArrayView bytes);
