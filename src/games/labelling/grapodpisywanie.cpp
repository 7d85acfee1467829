#include "grapodpisywanie.h"

#include "canvas.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "eventpump.h"
#include "hitarea.h"
#include "mediafiles.h"
#include "podpisywaniewindow.h"
#include "randomgenerator.h"

#include <QMouseEvent>
#include <QPointer>
#include <algorithm>
#include <cstdlib>

namespace {

// Grid places for tiles the random search could not place: one tile apart and then some, so
// that neighbours on the grid are never near each other.
constexpr int GridStep = COGloska::NearDistance + 1;
constexpr int ScatterMargin = 10;

} // namespace

QPoint graPodpisywanie::SlotPosition(int n, int i, QSize playArea, int pitch) {
    const int step = pitch + 15;
    // The frames reach as far to the left of the first slot as to the right of the last.
    const int row = (n - 1) * step + pitch;
    return QPoint(playArea.width() / 2 - row / 2 + i * step,
                  playArea.height() - playArea.height() / 4);
}

QRect graPodpisywanie::SlotRowArea() const {
    if (m_slots.empty())
        return QRect();
    const int n = SlotCount();
    const int frames = CPusGloska::FrameCount;
    const QPoint first = SlotPosition(n, 0, m_area, m_pitch);
    const QPoint last = SlotPosition(n, n - 1, m_area, m_pitch);
    return QRect(first - QPoint(frames, frames),
                 last + QPoint(m_pitch + frames - 1, m_pitch + frames - 1));
}

QSize graPodpisywanie::tileSize(const CPrzGloska& tile) const {
    return tile.Picture().isNull() ? QSize(m_pitch, m_pitch) : tile.Picture().size();
}

bool graPodpisywanie::isClear(const QRect& tileRect) const {
    const QRect kept = tileRect.adjusted(-KeepClear, -KeepClear, KeepClear, KeepClear);
    if (kept.intersects(SlotRowArea()))
        return false;
    return !m_window || !kept.intersects(m_window->ButtonArea());
}

QPoint graPodpisywanie::clearPlaceNear(const CPrzGloska& tile) const {
    const QSize size = tileSize(tile);
    const QPoint at = tile.Position();
    if (isClear(QRect(at, size)))
        return at;
    // Beside whatever it lies on: above, below, left or right of the row and of the buttons.
    std::vector<QPoint> places;
    std::vector<QRect> areas{SlotRowArea()};
    if (m_window)
        areas.push_back(m_window->ButtonArea());
    for (const QRect& area : areas) {
        if (area.isEmpty())
            continue;
        const int gap = KeepClear + 1;
        places.emplace_back(at.x(), area.top() - gap - size.height());
        places.emplace_back(at.x(), area.bottom() + 1 + gap);
        places.emplace_back(area.left() - gap - size.width(), at.y());
        places.emplace_back(area.right() + 1 + gap, at.y());
    }
    const int maxX = m_area.width() - size.width();
    const int maxY = m_area.height() - size.height();
    QPoint best = at;
    int bestDistance = -1;
    for (QPoint place : places) {
        place = QPoint(std::clamp(place.x(), 0, std::max(0, maxX)),
                       std::clamp(place.y(), 0, std::max(0, maxY)));
        if (!isClear(QRect(place, size)))
            continue;
        const int distance = (place - at).manhattanLength();
        if (bestDistance < 0 || distance < bestDistance) {
            best = place;
            bestDistance = distance;
        }
    }
    return best;
}

QPoint graPodpisywanie::PicturePosition(bool smallScreen) {
    return smallScreen ? QPoint(274, 140) : QPoint(348, 172);
}

graPodpisywanie::graPodpisywanie(PodpisywanieWindow& window, CSlowa& catalogue, CStatRec& stats,
                                 SoundPlayer& player, RandomGenerator& random, bool smallScreen,
                                 QSize playArea)
    : m_window(&window), m_catalogue(catalogue), m_stats(stats), m_player(player), m_random(random),
      m_smallScreen(smallScreen), m_area(playArea), m_last(catalogue.SelectionCount() - 1),
      m_picturePosition(PicturePosition(smallScreen)),
      m_pitch(static_cast<std::int16_t>(CPrzGloska::TileSize(smallScreen))) {
    m_mask = LoadOptionalJpeg(smallScreen ? QStringLiteral("Data/Bio/_matr_ups.xji")
                                          : QStringLiteral("Data/Bio/_matr_upb.xji"));
    m_endTimer.setInterval(EndMs);
    m_endTimer.setSingleShot(true);
    connect(&m_endTimer, &QTimer::timeout, this, [this] {
        m_endTimer.stop();
        if (m_window)
            m_window->A_Stop();
    });
}

graPodpisywanie::~graPodpisywanie() {
    m_endTimer.stop();
    m_window = nullptr;
    m_pressed = nullptr;
    m_dragged = nullptr;
    m_slots.clear();
    m_letters.clear();
}

void graPodpisywanie::SetCanvases(Canvas* screen, Canvas* restore) {
    m_screen = screen;
    m_restore = restore;
}

WordEntry* graPodpisywanie::currentWord() const {
    if (m_current < 0 || m_current >= m_catalogue.SelectionCount())
        return nullptr;
    return &m_catalogue.Entry(CSlowa::Selection, m_current);
}

void graPodpisywanie::BuildWord() {
    m_pressed = nullptr;
    m_dragged = nullptr;
    m_slots.clear();
    m_letters.clear();
    m_expected.clear();
    const WordEntry* entry = currentWord();
    m_word = entry ? entry->Key : QString();
    m_code = entry ? entry->SoundCode : 0;
    if (!entry || !m_window)
        return;

    const QString& segmentation = entry->Segmentation;
    int d = 0;
    while (d < segmentation.size()) {
        int comma = segmentation.indexOf(QLatin1Char(','), d);
        if (comma < 0)
            comma = static_cast<int>(segmentation.size());
        const int h = comma - d;
        if (h == 0) {
            ++d;
            continue;
        }
        const QString run = segmentation.mid(d, h);
        const bool target = run.startsWith(QLatin1Char('_'));
        const QString grapheme = target ? run.mid(1) : run;
        d += h;
        if (grapheme.isEmpty())
            continue; // a lone mark carries no letter to place
        auto tile = std::make_unique<CPrzGloska>(m_window->ControlParent(), grapheme, target,
                                                 m_smallScreen);
        if (tile->Control())
            tile->Control()->installEventFilter(this);
        m_letters.push_back(std::move(tile));
        m_expected += grapheme;
    }
    for (std::size_t i = 0; i < m_letters.size(); ++i) {
        m_slots.push_back(std::make_unique<CPusGloska>(m_smallScreen));
        placeSlot(static_cast<int>(i));
    }
}

void graPodpisywanie::placeSlot(int i) {
    const QPoint at = SlotPosition(SlotCount(), i, m_area, m_pitch);
    Slot(i).SetPosition(at.x(), at.y());
}

void graPodpisywanie::DrawPicture() {
    const WordEntry* entry = currentWord();
    if (!m_screen || !entry || entry->BigPicture.isNull())
        return;
    const QPoint at = m_picturePosition;
    if (m_mask.isNull()) {
        // Without its mask the picture still shows, on its own white.
        m_screen->setCopyMode(CopyMode::SrcCopy);
        m_screen->draw(at.x(), at.y(), entry->BigPicture);
        return;
    }
    m_screen->drawMasked(at.x(), at.y(), m_mask, entry->BigPicture);
}

void graPodpisywanie::DrawSlots(Canvas& canvas) {
    for (int i = 0; i < SlotCount(); ++i) {
        placeSlot(i);
        Slot(i).Draw(canvas);
    }
}

void graPodpisywanie::DrawLetters() {
    if (!m_screen)
        return;
    for (const auto& letter : m_letters) {
        if (letter.get() != m_dragged)
            letter->Draw(*m_screen);
    }
}

void graPodpisywanie::HideLetters() {
    m_dragged = nullptr;
    for (const auto& letter : m_letters)
        letter->Hide();
}

QPoint graPodpisywanie::gridPlace(std::size_t index) const {
    const int w = m_area.width();
    const int h = m_area.height();
    const int bandTop = h - h / 5;
    std::size_t n = 0;
    const QSize tile(m_pitch, m_pitch);
    for (int y = ScatterMargin; y < bandTop; y += GridStep)
        for (int x = ScatterMargin; x < w / 5 + ScatterMargin; x += GridStep)
            if (isClear(QRect(QPoint(x, y), tile)) && n++ == index)
                return QPoint(x, y);
    for (int y = bandTop; y < h - 75 + ScatterMargin; y += GridStep)
        for (int x = ScatterMargin; x < w - 75 + ScatterMargin; x += GridStep)
            if (isClear(QRect(QPoint(x, y), tile)) && n++ == index)
                return QPoint(x, y);
    return QPoint(-1, -1);
}

bool graPodpisywanie::findScatterPlace(const CPrzGloska& tile, QPoint& place) {
    const int w = m_area.width();
    const int h = m_area.height();
    const auto nearAny = [this](int x, int y, const CPrzGloska* upTo) {
        for (const auto& other : m_letters) {
            if (other.get() == upTo)
                return false;
            if (other->IsNear(x, y))
                return true;
        }
        return false;
    };
    for (int attempt = 0; attempt < ScatterAttempts; ++attempt) {
        const int y = m_random.below(h - 75) + ScatterMargin;
        const int x = y < h - h / 5 ? m_random.below(w / 5) + ScatterMargin
                                    : m_random.below(w - 75) + ScatterMargin;
        // Every tile counts, placed or not, this one included.
        if (isClear(QRect(QPoint(x, y), tileSize(tile))) && !nearAny(x, y, nullptr)) {
            place = QPoint(x, y);
            return true;
        }
    }
    // Too crowded for chance: the first grid place clear of the tiles placed so far.
    for (std::size_t g = 0;; ++g) {
        const QPoint at = gridPlace(g);
        if (at.x() < 0)
            break;
        if (!nearAny(at.x(), at.y(), &tile)) {
            place = at;
            return true;
        }
    }
    place = gridPlace(0);
    if (place.x() < 0)
        place = QPoint(ScatterMargin, ScatterMargin);
    return false;
}

int graPodpisywanie::ScatterLetters() {
    int crowded = 0;
    for (const auto& letter : m_letters) {
        QPoint place;
        if (!findScatterPlace(*letter, place))
            ++crowded;
        letter->SetPosition(place.x(), place.y());
    }
    m_dragged = nullptr;
    return crowded;
}

void graPodpisywanie::LayOutWord() {
    ScatterLetters();
    for (int i = 0; i < SlotCount(); ++i) {
        placeSlot(i);
        Slot(i).Assign(nullptr);
        if (m_screen)
            Slot(i).Draw(*m_screen);
        Letter(i).Show();
    }
}

void graPodpisywanie::ShowSolution() {
    m_dragged = nullptr;
    for (int i = 0; i < SlotCount(); ++i) {
        placeSlot(i);
        CPusGloska& slot = Slot(i);
        CPrzGloska& letter = Letter(i);
        slot.Assign(&letter);
        if (m_screen)
            slot.Draw(*m_screen);
        letter.SetPosition(slot.X(), slot.Y());
        letter.Hide();
        if (m_screen)
            letter.Draw(*m_screen);
    }
}

void graPodpisywanie::BeginDrag(CPrzGloska& tile) {
    if (!m_window || !m_screen || !m_restore)
        return;
    m_dragged = &tile;
    m_window->DrawBackdrop();
    DrawPicture();
    DrawSlots(*m_screen);
    DrawLetters();
    m_restore->setCopyMode(CopyMode::SrcCopy);
    m_restore->copyFrom(m_screen->rect(), *m_screen, QPoint(0, 0));
    m_dragged = nullptr;
}

void graPodpisywanie::Check() {
    if (!m_window || m_slots.empty())
        return;
    QString answer;
    for (const auto& slot : m_slots) {
        if (slot->IsEmpty())
            return;
        answer += slot->Text();
    }
    if (answer != m_expected) {
        m_stats.AddWrong();
        m_stats.Answered(AnswerSink::Outcome::Wrong, m_word, m_code, answer);
        PlayFeedbackSound(m_player, m_random, FeedbackError);
        return;
    }

    m_stats.AddCorrect();
    m_stats.Answered(AnswerSink::Outcome::Correct, m_word, m_code, answer);
    PlayFeedbackSound(m_player, m_random, FeedbackPraise);
    Sleep(PraiseToWordMs);
    PlayWordSound(m_player, m_word);
    if (WordEntry* entry = currentWord())
        entry->setDrawn(false);
    HideLetters();
    m_window->HideHelpButton();
    // What the child did during the sounds runs now; it may even end or replace this game.
    const QPointer<graPodpisywanie> self(this);
    ProcessMessages();
    if (!self || !m_window)
        return;
    if (AllSolved())
        m_endTimer.start();
}

void graPodpisywanie::Help() {
    if (!m_window || !m_screen || !currentWord())
        return;
    DrawPicture();
    ShowSolution();
    Canvas& visible = m_window->VisibleCanvas();
    visible.setCopyMode(CopyMode::SrcCopy);
    visible.copyFrom(m_screen->rect(), *m_screen, QPoint(0, 0));
    if (!PlayWordSound(m_player, m_word))
        Sleep(SilentWordMs);
    m_stats.AddHint();
    m_stats.Answered(AnswerSink::Outcome::Hint, m_word, m_code);
    LayOutWord();
}

bool graPodpisywanie::Retry(int px, int py) {
    WordEntry* entry = currentWord();
    if (!entry)
        return false;
    // The mask is the picture's hit area; without it the picture itself is.
    const QSize size = m_mask.isNull() ? entry->BigPicture.size() : m_mask.size();
    const QPoint at = m_picturePosition;
    if (at.x() < px && px < at.x() + size.width() && at.y() < py && py < at.y() + size.height()) {
        entry->setDrawn(true);
        return true;
    }
    return false;
}

void graPodpisywanie::Say() {
    if (!PlayWordSound(m_player, m_word))
        Sleep(SilentWordMs);
}

bool graPodpisywanie::Next() {
    if (m_current >= m_last)
        return false;
    ++m_current;
    return true;
}

bool graPodpisywanie::Previous() {
    if (m_current <= 0)
        return false;
    --m_current;
    return true;
}

bool graPodpisywanie::IsLast() const {
    return m_current == m_last;
}

bool graPodpisywanie::IsSolved() const {
    const WordEntry* entry = currentWord();
    return entry && !entry->isDrawn();
}

bool graPodpisywanie::AllSolved() const {
    return std::none_of(m_catalogue.SelectionList().begin(), m_catalogue.SelectionList().end(),
                        [](const WordEntry& entry) { return entry.isDrawn(); });
}

void graPodpisywanie::TileDown(CPrzGloska& tile, QPoint inTile) {
    m_stats.Touch();
    if (!m_window || !m_screen)
        return;
    for (const auto& slot : m_slots) {
        if (slot->Letter() == &tile)
            slot->Assign(nullptr);
    }
    DrawSlots(*m_screen);
    m_window->RepaintWindow();
    // The tile goes last so that it is drawn over every other.
    const auto it = std::find_if(m_letters.begin(), m_letters.end(),
                                 [&tile](const auto& letter) { return letter.get() == &tile; });
    if (it != m_letters.end())
        std::iter_swap(it, m_letters.end() - 1);
    BeginDrag(tile);
    m_pressed = &tile;
    m_grab = inTile;
}

void graPodpisywanie::TileMove(CPrzGloska& tile, QPoint inTile, Qt::MouseButtons buttons,
                               Qt::KeyboardModifiers modifiers) {
    if (m_pressed != &tile || buttons != Qt::LeftButton || modifiers != Qt::NoModifier)
        return;
    m_stats.Touch();
    if (!m_window || !m_screen || !m_restore || !tile.Control())
        return;
    // The control stays where the press found the tile until the drop.
    const QPoint to = tile.Control()->pos() + inTile - m_grab;
    tile.MoveTo(to.x(), to.y(), *m_screen, *m_restore, m_window->VisibleCanvas());
}

void graPodpisywanie::TileUp(CPrzGloska& tile, QPoint) {
    // Only a release that ends a press on this tile drops it; the one after a double click
    // does not.
    if (m_pressed != &tile)
        return;
    m_pressed = nullptr;
    m_stats.Touch();
    tile.SetPosition(tile.X(), tile.Y());
    drop(tile);
}

void graPodpisywanie::drop(CPrzGloska& tile) {
    if (!m_window || !m_screen || !m_restore)
        return;
    for (const auto& slot : m_slots) {
        if (std::abs(tile.X() - slot->X()) > DropDistance ||
            std::abs(tile.Y() - slot->Y()) > DropDistance)
            continue;
        Canvas& visible = m_window->VisibleCanvas();
        if (!slot->IsEmpty()) {
            tile.MoveTo(slot->X(), slot->Y() - FilledSlotLift, *m_screen, *m_restore, visible);
            tile.SetPosition(tile.X(), tile.Y());
            DrawSlots(*m_screen);
            m_window->RepaintWindow();
            return;
        }
        tile.MoveTo(slot->X(), slot->Y(), *m_screen, *m_restore, visible);
        slot->Assign(&tile);
        DrawSlots(*m_screen);
        tile.SetPosition(tile.X(), tile.Y());
        m_window->RepaintWindow();
        Check();
        return;
    }
    // A tile left on the row between the slots, or on a button, would hide what the child
    // needs to see and press: it goes to the nearest place beside it.
    const QPoint clear = clearPlaceNear(tile);
    if (clear == tile.Position())
        return;
    tile.MoveTo(clear.x(), clear.y(), *m_screen, *m_restore, m_window->VisibleCanvas());
    tile.SetPosition(tile.X(), tile.Y());
    m_window->RepaintWindow();
}

void graPodpisywanie::TileDoubleClick(CPrzGloska& tile) {
    m_stats.Touch();
    m_pressed = nullptr;
    if (!m_window || !m_screen)
        return;
    for (const auto& slot : m_slots) {
        if (slot->Text() == tile.Text() && slot->Position() == tile.Position())
            slot->Assign(nullptr);
    }
    DrawSlots(*m_screen);
    m_window->RepaintWindow();
}

void graPodpisywanie::Retire() {
    m_endTimer.stop();
    HideLetters();
    m_pressed = nullptr;
    m_window = nullptr;
    m_screen = nullptr;
    m_restore = nullptr;
}

bool graPodpisywanie::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return QObject::eventFilter(watched, event);
    CPrzGloska* tile = nullptr;
    for (const auto& letter : m_letters) {
        if (letter->Control() == watched)
            tile = letter.get();
    }
    if (!tile)
        return QObject::eventFilter(watched, event);

    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    if (type == QEvent::MouseMove) {
        TileMove(*tile, pos, mouse->buttons(), mouse->modifiers());
        return true;
    }
    // Presses and releases count only for the left button.
    if (mouse->button() != Qt::LeftButton)
        return true;
    if (type == QEvent::MouseButtonPress)
        TileDown(*tile, pos);
    else if (type == QEvent::MouseButtonRelease)
        TileUp(*tile, pos); // may end with this game replaced: nothing of it is touched after
    else
        TileDoubleClick(*tile);
    return true;
}
