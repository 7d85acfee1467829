#include "messagebox.h"

#include <QMessageBox>

void MessageBox::show(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::Information:
        break;
    case Icon::Warning:
        qtIcon = QMessageBox::Warning;
        break;
    case Icon::Error:
        qtIcon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(qtIcon, caption, text, QMessageBox::Ok, owner);
    box.exec();
}
