#pragma once

#include "childroster.h"

#include <QPixmap>
#include <QWidget>

class CDisplay;

// Who practises, on the menu: the child's picture and name in a rounded badge at the top of the
// screen; a click asks "Kto ćwiczy?" again.
class ProfileBadge : public QWidget {
    Q_OBJECT
public:
    ProfileBadge(const CDisplay& display, const ChildRoster::Profile& profile, QWidget* parent);
    QString Text() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ChildRoster::Profile m_profile;
    QPixmap m_picture;
    int m_textPixels;
};
