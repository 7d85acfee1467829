#include "ckarta.h"

#include "canvas.h"
#include "hitarea.h"
#include "imageloader.h"
#include "mediafiles.h"

#include <QFileInfo>
#include <QWidget>

namespace {

// The size of the card pictures the board was laid out for; used only when a card has
// neither face nor back, so that it can still be clicked.
constexpr QSize FallbackCardSize(76, 95);

} // namespace

CKarta::CKarta(QWidget* window, const QString& key, const QImage& face, const Common& common,
               bool smallScreen)
    : m_word(key), m_face(face), m_back(common.back), m_matchMask(common.matchMask),
      m_matchPosition(common.matchPosition) {
    m_matchPicture =
        LoadOptionalJpeg(QStringLiteral("Data/Bio/") + key +
                         (smallScreen ? QStringLiteral("_ms.xji") : QStringLiteral("_mb.xji")));

    m_control = new HitArea(window);
    QSize size = m_face.size();
    if (size.isEmpty())
        size = m_back.size();
    if (size.isEmpty())
        size = FallbackCardSize;
    m_control->resize(size);
    m_control->setVisible(true);

    m_removeTimer.setInterval(RemoveMs);
    m_turnBackTimer.setInterval(TurnBackMs);
}

CKarta::~CKarta() {
    delete m_control.data();
}

void CKarta::SetOnClick(std::function<void()> handler) {
    if (m_control)
        m_control->setOnClick(std::move(handler));
}

void CKarta::SetOnRemove(std::function<void()> handler) {
    QObject::connect(&m_removeTimer, &QTimer::timeout, std::move(handler));
}

void CKarta::SetOnTurnBack(std::function<void()> handler) {
    QObject::connect(&m_turnBackTimer, &QTimer::timeout, std::move(handler));
}

void CKarta::SetPosition(int x, int y) {
    if (m_control)
        m_control->move(x, y);
}

int CKarta::Left() const {
    return m_control ? m_control->x() : 0;
}

int CKarta::Top() const {
    return m_control ? m_control->y() : 0;
}

QRect CKarta::Rect() const {
    return m_control ? m_control->geometry() : QRect();
}

bool CKarta::IsVisible() const {
    return m_control && m_control->shown();
}

void CKarta::SetVisible(bool visible) {
    if (m_control)
        m_control->setVisible(visible);
}

void CKarta::DrawBack(Canvas& canvas) const {
    if (!m_back.isNull())
        canvas.draw(Left(), Top(), m_back);
}

void CKarta::DrawFace(Canvas& canvas) const {
    if (!m_face.isNull())
        canvas.draw(Left(), Top(), m_face);
}

void CKarta::ShowMatch(Canvas& screen) const {
    if (m_matchMask.isNull() || m_matchPicture.isNull())
        return;
    screen.drawMasked(m_matchPosition.x(), m_matchPosition.y(), m_matchMask, m_matchPicture);
}

void CKarta::PlayWord(SoundPlayer& player) const {
    PlayWordSound(player, m_word);
}
