#include "graspadajace.h"

#include "canvas.h"
#include "cdisplay.h"
#include "cokrag.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "fallingwindow.h"
#include "mediafiles.h"
#include "randomgenerator.h"

#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int BottomSmall = 552;
constexpr int BottomBig = 708;

// The word as the child sees it written; the key stands in for a word without graphemes.
QString writtenWord(const WordEntry& entry) {
    return entry.Segmentation.isEmpty() ? entry.Key : entry.plainWord();
}

// A white card with the written word, for a word whose small picture is missing: without a
// picture the card could be neither seen nor caught, and the game could never be won.
QImage standIn(const WordEntry& entry) {
    QImage picture(graSpadajace::StandInSize, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(picture.rect().adjusted(1, 1, -1, -1));
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(picture.rect().adjusted(3, 3, -3, -3), Qt::AlignCenter | Qt::TextWrapAnywhere,
               writtenWord(entry));
    return picture;
}

} // namespace

int graSpadajace::TargetsForLevel(int poziom) {
    switch (poziom) {
    case 1:
        return 5;
    case 2:
        return 10;
    case 3:
        return 15;
    default:
        return 0;
    }
}

graSpadajace::graSpadajace(FallingWindow& window, const CSlowa& catalogue,
                           std::uint16_t chosenSounds, const CDisplay& display, COkrag& zoom,
                           CStatRec& stats, SoundPlayer& player, RandomGenerator& random)
    : m_window(&window), m_zoom(zoom), m_stats(stats), m_player(player), m_random(random),
      m_chosenSounds(chosenSounds), m_smallScreen(display.IsSmall()), m_w(display.DesignWidth),
      m_h(display.DesignHeight), m_bottom(display.IsSmall() ? BottomSmall : BottomBig) {
    m_red = LoadOptionalJpeg(QStringLiteral("Data/Sio/allred.xji"));
    m_question = LoadOptionalJpeg(QStringLiteral("Data/Sio/squest.xji"));
    const QPoint offScreen(m_w + 100, m_h + 100);
    for (const WordEntry& entry : catalogue.SelectionList()) {
        addCard(entry);
        auto slot = std::make_unique<CMiniK>(window.ControlParent(), SlotSize(), m_red, m_question,
                                             offScreen);
        CMiniK* raw = slot.get();
        slot->SetOnClick([this, raw] { ShowBig(*raw); });
        m_slots.push_back(std::move(slot));
    }

    m_flashTimer.setSingleShot(true);
    m_flashTimer.setInterval(FlashMs);
    QObject::connect(&m_flashTimer, &QTimer::timeout, [this] { resetFlash(); });
    m_endTimer.setSingleShot(true);
    m_endTimer.setInterval(EndMs);
    QObject::connect(&m_endTimer, &QTimer::timeout, [this] {
        if (m_window)
            m_window->A_Stop();
    });
}

graSpadajace::~graSpadajace() {
    m_window = nullptr;
}

void graSpadajace::addCard(const WordEntry& entry) {
    const QImage picture = entry.SmallPicture.isNull() ? standIn(entry) : entry.SmallPicture;
    auto card =
        std::make_unique<CSpaKart>(m_window->ControlParent(), entry.Key, entry.SoundCode, picture);
    CSpaKart* raw = card.get();
    card->SetOnPress([this, raw] { CardPressed(*raw); });
    m_cards.push_back(std::move(card));
    m_written.insert(entry.Key, writtenWord(entry));
}

void graSpadajace::AddDistractors(const CSlowa& catalogue) {
    if (!m_window)
        return;
    for (const WordEntry& entry : catalogue.SelectionList()) {
        if ((entry.SoundCode & m_chosenSounds) == 0)
            addCard(entry);
    }
}

QSize graSpadajace::SlotSize() const {
    return m_smallScreen ? QSize(23, 31) : QSize(32, 42);
}

QPoint graSpadajace::SlotPosition(int i) const {
    const int pitch = m_smallScreen ? 30 : 39;
    const int y = m_smallScreen ? m_h - 35 : m_h - 50;
    const int x0 = m_w / 2 - pitch * ((TargetCount() + 1) / 2);
    return QPoint(x0 + pitch * i, y);
}

void graSpadajace::LayoutSlots() {
    if (!m_window || !QFileInfo::exists(QStringLiteral("Data/Sio/squest.xji")))
        return;
    Canvas& screen = m_window->ScreenCanvas();
    for (int i = 0; i < SlotCount(); ++i) {
        const QPoint at = SlotPosition(i);
        Slot(i).MoveTo(at.x(), at.y());
        Slot(i).Draw(screen);
    }
}

bool graSpadajace::collides(int x, int y) const {
    return std::any_of(m_cards.begin(), m_cards.end(), [x, y](const auto& card) {
        return std::abs(x - card->X()) < CollideWidth && std::abs(y - card->Y()) < CollideHeight;
    });
}

int graSpadajace::highestTop() const {
    int top = 0;
    for (const auto& card : m_cards)
        top = std::min(top, card->Y());
    return top;
}

void graSpadajace::place(CSpaKart& card, int x, int y) {
    card.MoveTo(x, y);
    card.SetHeight(card.PictureHeight());
    card.SetFalling(true);
}

// Left edges are drawn from 10 up to two thirds of the width further, but a picture never
// reaches past the play column: on the small screen the 76-pixel pictures would otherwise
// cover the panel's border.
int graSpadajace::randomLeft(const CSpaKart& card) {
    const int span = std::min(m_w - m_w / 3, PlayColumnWidth(m_w) - card.Width() - 9);
    return 10 + m_random.below(span);
}

void graSpadajace::StartFall() {
    for (int i = 0; i < CardCount(); ++i) {
        CSpaKart& card = Card(i);
        const int h = card.PictureHeight();
        int x = 0;
        int y = 0;
        bool free = false;
        for (int attempt = 0; attempt < PlacementAttempts && !free; ++attempt) {
            x = randomLeft(card);
            y = -h - i * m_random.below(h);
            free = !collides(x, y);
        }
        if (!free)
            y = std::min(y, highestTop()) - CollideHeight;
        place(card, x, y);
    }
}

void graSpadajace::respawn(CSpaKart& card) {
    const int h = card.PictureHeight();
    int y = -h;
    int x = randomLeft(card);
    for (int attempt = 0; collides(x, y); ++attempt) {
        if (attempt >= PlacementAttempts) {
            y = std::min(y, highestTop()) - CollideHeight;
            break;
        }
        y -= h;
        x = randomLeft(card);
    }
    place(card, x, y);
}

void graSpadajace::Step() {
    if (!m_window)
        return;
    Canvas& screen = m_window->ScreenCanvas();
    const Canvas& background = m_window->BackgroundCanvas();
    screen.setCopyMode(CopyMode::SrcCopy);
    for (const auto& owned : m_cards) {
        CSpaKart& card = *owned;
        if (!card.IsFalling() || !card.IsVisible())
            continue;
        const int x = card.X();
        const int y = card.Y();
        const int w = card.Width();
        const int h = card.Height();
        const QRect topRow(x, y, w, 1);
        if (y + h <= m_bottom) {
            screen.copyFrom(topRow, background, topRow.topLeft());
            card.MoveTo(x, y + 1);
            screen.draw(x, y + 1, card.Picture());
            m_window->RepaintRect(QRect(x, y, w, h + 1));
            continue;
        }
        // Sinking: what is still visible is squeezed one row lower, its lower edge kept on the
        // bottom line, until nothing is left.
        if (h > 1) {
            const QImage visible = screen.image().copy(x, y, w, h);
            screen.stretchDraw(QRect(x, y + 1, w, h - 1), visible);
        }
        screen.copyFrom(topRow, background, topRow.topLeft());
        card.MoveTo(x, y + 1);
        m_window->RepaintRect(QRect(x, y, w, std::max(h, 0) + 1));
        if (y + 1 > 0) {
            if (h < 0)
                respawn(card);
            else
                card.SetHeight(h - 1);
        }
    }
}

void graSpadajace::CardPressed(CSpaKart& card) {
    if (!m_window || !card.IsVisible())
        return;
    m_stats.Touch();
    if (IsTarget(card))
        Catch(card);
    else
        Miss(card);
}

void graSpadajace::Catch(CSpaKart& card) {
    // Every slot is full: there is nowhere to put a catch.
    if (!m_window || m_caught >= SlotCount())
        return;
    card.SetFalling(false);
    m_stats.AddCorrect();
    m_stats.Answered(AnswerSink::Outcome::Correct, card.Name(), card.Flags(),
                     m_written.value(card.Name()));
    card.SetVisible(false);
    Canvas& screen = m_window->ScreenCanvas();
    const QRect area(card.X(), card.Y(), card.Width(), std::max(card.Height(), 0) + 1);
    screen.setCopyMode(CopyMode::SrcCopy);
    screen.copyFrom(area, m_window->BackgroundCanvas(), area.topLeft());
    CMiniK& slot = Slot(m_caught);
    slot.Fill(card.Name(), card.Picture());
    slot.Draw(screen);
    m_window->RepaintWindow();
    ++m_caught;
}

void graSpadajace::Miss(const CSpaKart& pressed) {
    if (!m_window)
        return;
    m_stats.AddWrong();
    // The distractor's own word: it is what the child took for a word of the sound.
    m_stats.Answered(AnswerSink::Outcome::Wrong, pressed.Name(), pressed.Flags(),
                     m_written.value(pressed.Name()));
    if (m_slots.empty())
        return;
    if (m_caught > 0) {
        --m_caught;
        const QString& name = Slot(m_caught).Name();
        const auto found = std::find_if(m_cards.begin(), m_cards.end(),
                                        [&name](const auto& card) { return card->Name() == name; });
        if (found != m_cards.end()) {
            (*found)->SetVisible(true);
            respawn(**found);
        }
    }
    Canvas& screen = m_window->ScreenCanvas();
    Slot(m_caught).ShowRed();
    Slot(m_caught).Draw(screen);
    for (int i = m_caught + 1; i < SlotCount(); ++i) {
        Slot(i).ShowQuestion();
        Slot(i).Draw(screen);
    }
    m_flashTimer.start();
    m_window->RepaintWindow();
}

void graSpadajace::resetFlash() {
    m_flashTimer.stop();
    // A flash that outlived the last catch has no empty slot left to reset.
    if (!m_window || m_caught >= SlotCount())
        return;
    Slot(m_caught).ShowQuestion();
    Slot(m_caught).Draw(m_window->ScreenCanvas());
    m_window->RepaintWindow();
}

void graSpadajace::Hint() {
    if (!m_window)
        return;
    m_stats.AddHint();
    CSpaKart* picked = nullptr;
    for (const auto& card : m_cards) {
        if (!card->IsFalling() || !IsTarget(*card) || std::abs(card->Y()) >= m_h)
            continue;
        if (!picked || std::abs(card->Y()) < std::abs(picked->Y()))
            picked = card.get();
    }
    // The hint is counted even with no target to frame; only a framed word was helped with.
    if (!picked)
        return;
    m_stats.Answered(AnswerSink::Outcome::Hint, picked->Name(), picked->Flags());
    if (picked->Y() + picked->PictureHeight() < 0)
        respawn(*picked);
    picked->PaintFrame();
}

void graSpadajace::ShowResults() {
    if (!m_window)
        return;
    Canvas& screen = m_window->ScreenCanvas();
    screen.setCopyMode(CopyMode::SrcCopy);
    screen.copyFrom(QRect(0, 0, m_w, m_h), m_window->BackgroundCanvas(), QPoint(0, 0));
    // The cards are gone from the picture; a press where one was must not count any more.
    for (const auto& card : m_cards) {
        card->SetFalling(false);
        card->SetVisible(false);
    }
    for (const auto& slot : m_slots) {
        slot->SetControlVisible(true);
        slot->Draw(screen);
    }
    m_zoom.DrawRing();
    m_window->ShowResultButtons();
    m_window->RepaintWindow();
    m_endTimer.start();
}

void graSpadajace::ShowBig(CMiniK& slot) {
    if (!m_window)
        return;
    m_stats.Touch();
    m_endTimer.stop();
    const QString path = QStringLiteral("Data/Bio/") + slot.Name() +
                         (m_smallScreen ? QStringLiteral("_ms.xji") : QStringLiteral("_mb.xji"));
    const QImage big = slot.Name().isEmpty() ? QImage() : LoadOptionalJpeg(path);
    m_zoom.DrawPicture(big);
    m_window->RepaintWindow();
    if (!slot.Name().isEmpty())
        PlayWordSound(m_player, slot.Name());
}

void graSpadajace::Retire() {
    m_flashTimer.stop();
    m_endTimer.stop();
    for (const auto& card : m_cards) {
        card->SetFalling(false);
        card->SetVisible(false);
    }
    for (const auto& slot : m_slots)
        slot->SetControlVisible(false);
    m_window = nullptr;
}
