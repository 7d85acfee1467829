#include "tformktocwiczy.h"

#include "cdisplay.h"
#include "childpicture.h"
#include "heavyfont.h"
#include "tformdzieci.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

TFormKtoCwiczy::TFormKtoCwiczy(const CDisplay& display, ChildRoster& roster,
                               std::optional<ChildRoster::Profile> current, QWidget* parent)
    : QDialog(parent), m_display(display), m_roster(roster), m_current(std::move(current)) {
    setWindowTitle(QStringLiteral("Wiklotek Cz.I - ") + Title());
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    setGeometry(0, 0, display.ScreenWidth, display.ScreenHeight);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(display.OffsetX + 24, display.OffsetY + 16, display.OffsetX + 24,
                              display.OffsetY + 16);
    auto* title = new QLabel(Title(), this);
    title->setFont(HeavyFont(display.IsSmall() ? 44 : 56));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: #2b3a8c;"));
    outer->addWidget(title);
    m_tiles = new QGridLayout;
    m_tiles->setSpacing(display.IsSmall() ? 12 : 18);
    outer->addLayout(m_tiles, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto* manage = new QPushButton(QStringLiteral("Dzieci…"), this);
    manage->setObjectName(QStringLiteral("manage"));
    manage->setToolTip(QStringLiteral("Dodaj, zmień lub usuń dziecko"));
    manage->setFocusPolicy(Qt::NoFocus);
    connect(manage, &QPushButton::clicked, this, &TFormKtoCwiczy::ManageChildren);
    bottom->addWidget(manage);
    outer->addLayout(bottom);
    fillTiles();
}

void TFormKtoCwiczy::fillTiles() {
    while (QLayoutItem* item = m_tiles->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_shown = m_roster.Profiles();
    const int count = int(m_shown.size());
    // As many columns as keep the tiles big: a row of up to four, more for a large group.
    const int columns = count <= 4 ? count : int(std::ceil(std::sqrt(double(count)) + 0.5));
    const int rows = (count + columns - 1) / columns;
    const int usableW = m_display.DesignWidth - 48;
    const int usableH = m_display.DesignHeight - 150;
    const int tile = std::max(90, std::min({usableW / columns - 18, usableH / rows - 18, 230}));
    for (int i = 0; i < count; ++i) {
        const ChildRoster::Profile& profile = m_shown[std::size_t(i)];
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("tile%1").arg(i));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setText(profile.name);
        button->setIcon(QIcon(ChildPicture::Pixmap(profile, tile * 2 / 3)));
        button->setIconSize(QSize(tile * 2 / 3, tile * 2 / 3));
        button->setFixedSize(tile, tile);
        button->setFont(HeavyFont(std::clamp(tile / 9, 14, 24)));
        button->setFocusPolicy(Qt::NoFocus);
        const bool current = m_current && m_current->id == profile.id;
        button->setStyleSheet(
            QStringLiteral("QToolButton { background: %1; border: %2px solid %3;"
                           " border-radius: 24px; color: #24306e; padding: 6px; }"
                           "QToolButton:pressed { background: #ffe9a8; }")
                .arg(current ? QStringLiteral("#fff4c4") : QStringLiteral("#ffffff"))
                .arg(current ? 6 : 3)
                .arg(current ? QStringLiteral("#f0a020") : QStringLiteral("#8fb4ff")));
        connect(button, &QToolButton::clicked, this, [this, i] { Choose(std::size_t(i)); });
        m_tiles->addWidget(button, i / columns, i % columns, Qt::AlignCenter);
    }
}

void TFormKtoCwiczy::Choose(std::size_t index) {
    if (index >= m_shown.size())
        return;
    m_chosen = m_shown[index];
    accept();
}

void TFormKtoCwiczy::ManageChildren() {
    TFormDzieci manager(m_roster, m_current ? m_current->id : std::nullopt, this);
    manager.exec();
    // The child practising now may have been renamed or removed.
    if (m_current) {
        m_current.reset();
        for (const ChildRoster::Profile& profile : m_roster.Profiles())
            if (manager.CurrentId() == profile.id)
                m_current = profile;
    }
    fillTiles();
}

void TFormKtoCwiczy::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0x9f, 0xd8, 0xff));
    sky.setColorAt(0.75, QColor(0xe4, 0xf5, 0xff));
    sky.setColorAt(1, QColor(0x9c, 0xd9, 0x6a));
    painter.fillRect(rect(), sky);
}
