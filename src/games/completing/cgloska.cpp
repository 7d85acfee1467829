#include "cgloska.h"

#include "canvas.h"
#include "cursors.h"
#include "lettertile.h"
#include "otworzbmp.h"
#include "textformat.h"

#include <QWidget>

QString CGloska::PictureName(const QString& sound, const QString& stateSuffix,
                             const QString& variantSuffix) {
    return LetterToken(sound) + stateSuffix + variantSuffix;
}

int CGloska::ButtonX(int side, int w) {
    // Kept in 16 bits, as every tile position.
    return static_cast<std::int16_t>(side * (-w / 2 - 40) + 3 * w / 4);
}

CGloska::CGloska(const QString& sound, const QString& variantSuffix, int fallbackSide)
    : m_sound(sound), m_variantSuffix(variantSuffix), m_fallbackSide(fallbackSide) {
    LoadPicture(sound, QString());
}

CGloska::CGloska(QWidget* window, const QString& sound, int side, QSize playArea,
                 const QString& variantSuffix, QSize fallbackSize, ChooseHandler onChoose)
    : m_sound(sound), m_variantSuffix(variantSuffix), m_fallbackSide(fallbackSize.width()),
      m_onChoose(std::move(onChoose)) {
    LoadPicture(sound, QString());
    m_control = new HitArea(window);
    m_control->resize(m_picture.isNull() ? fallbackSize : m_picture.size());
    m_control->setVisible(true);
    SetPosition(ButtonX(side, playArea.width()), playArea.height() / 2);
    SetEnabled(true);
}

CGloska::~CGloska() {
    if (!m_control)
        return;
    m_control->setOnClick({});
    m_control->hide();
    // A click of this very control may be on the stack (a choice that ended in a new word);
    // the control goes once the event loop has it back.
    m_control->deleteLater();
}

void CGloska::SetEnabled(bool enabled) {
    m_enabled = enabled;
    if (!m_control)
        return;
    if (enabled) {
        m_control->setCursor(cursorFor(ProgramCursor::Help));
        m_control->setOnClick([this] { Choose(); });
    } else {
        m_control->setCursor(cursorFor(ProgramCursor::Default));
        m_control->setOnClick({});
    }
}

void CGloska::SetPosition(int x, int y) {
    m_x = static_cast<std::int16_t>(x);
    m_y = static_cast<std::int16_t>(y);
    if (m_control)
        m_control->move(m_x, m_y);
}

void CGloska::Draw(Canvas& canvas) {
    if (m_control)
        m_control->setVisible(true);
    if (!m_picture.isNull())
        canvas.draw(m_x, m_y, m_picture);
}

void CGloska::Erase(Canvas& screen, const Canvas& background) {
    if (m_control)
        m_control->setVisible(false);
    if (m_picture.isNull())
        return;
    const CopyMode mode = screen.copyMode();
    screen.setCopyMode(CopyMode::SrcCopy);
    screen.copyFrom(QRect(QPoint(m_x, m_y), m_picture.size()), background, QPoint(m_x, m_y));
    screen.setCopyMode(mode);
}

void CGloska::LoadPicture(const QString& sound, const QString& stateSuffix) {
    m_pictureName = PictureName(sound, stateSuffix, m_variantSuffix);
    OtworzBMP(m_pictureName, m_picture);
    if (m_picture.isNull() && m_fallbackSide > 0) {
        const QString shown = sound == QLatin1String("question") ? QStringLiteral("?") : sound;
        m_picture = LetterTile::Draw(shown, stateSuffix == QLatin1String("_red"), m_fallbackSide);
    }
}

void CGloska::Choose() {
    if (!m_enabled || !m_onChoose)
        return;
    // The handler may end with this button replaced; it gets its own copy of the sound.
    const ChooseHandler handler = m_onChoose;
    handler(QString(m_sound));
}

bool CGloska::IsShown() const {
    return m_control && m_control->shown();
}
