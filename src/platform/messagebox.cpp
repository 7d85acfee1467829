#include "messagebox.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(MessageBox::Icon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case MessageBox::Icon::Information:
        break;
    case MessageBox::Icon::Warning:
        qtIcon = QMessageBox::Warning;
        break;
    case MessageBox::Icon::Error:
        qtIcon = QMessageBox::Critical;
        break;
    }
    return qtIcon;
}

} // namespace

void MessageBox::show(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

void MessageBox::showWithoutWaiting(QWidget* owner, const QString& text, const QString& caption,
                                    Icon icon) {
    auto* box = new QMessageBox(boxIcon(icon), caption, text, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Nor does it keep the program running once the menu has closed.
    box->setAttribute(Qt::WA_QuitOnClose, false);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
