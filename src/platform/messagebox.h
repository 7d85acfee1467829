#pragma once

#include <QString>

class QWidget;

// The program's plain message boxes: one OK button, the window title is the caption.
class MessageBox {
public:
    enum class Icon { Information, Warning, Error };

    // Modal; returns when the user has closed the box. owner may be null.
    static void show(QWidget* owner, const QString& text, const QString& caption, Icon icon);
    // Not modal: returns at once, and the box stays until the user closes it or its owner
    // goes. For news that must not hold up what the user does next.
    static void showWithoutWaiting(QWidget* owner, const QString& text, const QString& caption,
                                   Icon icon);
};
