#include "cblad.h"

#include <QMessageBox>
#include <cstdio>

QString CBlad::Message(short code) {
    switch (code) {
    case 1:
        return QStringLiteral("          Brak zasobów !\n\nProszę przeinstalować program.");
    case 2:
        return QStringLiteral("Proszę zmienić rozdzielczość ekranu na 800 x 600 lub wyższą.");
    case 3:
        return QStringLiteral("Plik statystyk nie został poprawnie stworzony.");
    case 4:
        return QStringLiteral(
            "Brak dostępu do pliku konfiguracyjnego programu. Program zakończy działanie.");
    default:
        return QString();
    }
}

QString CBlad::ErrorLine(short code) {
    const QString message = Message(code).simplified();
    const QString head = QStringLiteral("błąd %1").arg(code);
    return message.isEmpty() ? head : head + QStringLiteral(": ") + message;
}

QString CBlad::Text() const {
    const QString message = Message(ErrorCode);
    if (Detail.isEmpty())
        return message;
    return message + QStringLiteral("\n\n") + Detail;
}

QString CBlad::Line() const {
    const QString line = ErrorLine(ErrorCode);
    if (Detail.isEmpty())
        return line;
    return line + u' ' + Detail.simplified();
}

void WriteErrorLine(const QString& text) {
    const QString line = QStringLiteral("wiklotek: ") + text.simplified() + u'\n';
    std::fputs(line.toUtf8().constData(), stderr);
    std::fflush(stderr);
}

void ShowError(const CBlad& error, QWidget* owner) {
    WriteErrorLine(error.Line());
    QMessageBox box(QMessageBox::Information, QStringLiteral("Wiklotek Cz.I - Błąd"), error.Text(),
                    QMessageBox::Ok, owner);
    box.exec();
}
