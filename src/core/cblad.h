#pragma once

#include <QString>
#include <stdexcept>
#include <utility>

class QWidget;

// A fatal start-up or resource problem, carried up to the entry, which shows its message and
// ends the program with the code as exit status.
class CBlad : public std::runtime_error {
public:
    explicit CBlad(short code, QString detail = {})
        : std::runtime_error("Blad"), ErrorCode(code), Detail(std::move(detail)) {}

    short ErrorCode;
    // What the message is about, when the user needs it to act (the file or folder that could
    // not be had); empty otherwise.
    QString Detail;

    // The fixed Polish message of a code; empty for codes outside 1..4.
    static QString Message(short code);
    // The message as one line for standard error: "wiklotek: błąd <code>: <message>".
    static QString ErrorLine(short code);
    // The message box's text: the code's message, then the detail on a line of its own.
    QString Text() const;
    // Text() as one line for standard error.
    QString Line() const;
};

// Writes one line "wiklotek: <text>" to standard error, the text's line breaks and runs of
// blanks made single blanks: a terminal or a log shows what the message box says.
void WriteErrorLine(const QString& text);

// Shows the error's message with the information icon, owned by owner (or ownerless), after
// writing it to standard error.
void ShowError(const CBlad& error, QWidget* owner);
