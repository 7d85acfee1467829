#pragma once

#include <QString>
#include <stdexcept>

class QWidget;

// A fatal start-up or resource problem, carried up to the entry, which shows its message and
// ends the program with the code as exit status.
class CBlad : public std::runtime_error {
public:
    explicit CBlad(short code) : std::runtime_error("Blad"), ErrorCode(code) {}

    short ErrorCode;

    // The fixed Polish message of a code; empty for codes outside 1..4.
    static QString Message(short code);
    // The message as one line for standard error: "wiklotek: błąd <code>: <message>".
    static QString ErrorLine(short code);
};

// Writes one line "wiklotek: <text>" to standard error, the text's line breaks and runs of
// blanks made single blanks: a terminal or a log shows what the message box says.
void WriteErrorLine(const QString& text);

// Shows the error's message with the information icon, owned by owner (or ownerless), after
// writing it to standard error.
void ShowError(const CBlad& error, QWidget* owner);
