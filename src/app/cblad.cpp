#include "cblad.h"

#include <QMessageBox>

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

void ShowError(const CBlad& error, QWidget* owner) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Wiklotek Cz.I - Błąd"),
                    CBlad::Message(error.ErrorCode), QMessageBox::Ok, owner);
    box.exec();
}
