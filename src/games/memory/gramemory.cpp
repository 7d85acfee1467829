#include "gramemory.h"

#include "canvas.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "eventpump.h"
#include "imageloader.h"
#include "mediafiles.h"
#include "memorywindow.h"
#include "randomgenerator.h"

#include <QFileInfo>
#include <algorithm>

namespace {

struct BoardLayout {
    int cards;
    int columns;
    QPoint originSmall;
    QPoint originBig;
    int columnStep;
    int rowStep;
};

constexpr BoardLayout Layouts[] = {
    {6, 3, {170, 175}, {260, 260}, 100, 120},
    {12, 4, {130, 135}, {230, 220}, 90, 110},
    {20, 5, {100, 95}, {190, 190}, 85, 105},
};

} // namespace

int graMemory::PairCount(int poziom) {
    switch (poziom) {
    case 1:
        return 3;
    case 2:
        return 6;
    case 3:
        return 10;
    default:
        return 0;
    }
}

QPoint graMemory::SlotPosition(int cards, int slot, bool smallScreen) {
    for (const BoardLayout& layout : Layouts) {
        if (layout.cards != cards)
            continue;
        const QPoint origin = smallScreen ? layout.originSmall : layout.originBig;
        return origin + QPoint(slot % layout.columns * layout.columnStep,
                               slot / layout.columns * layout.rowStep);
    }
    return {};
}

QPoint graMemory::MatchPosition(bool smallScreen) {
    return smallScreen ? QPoint(583, 188) : QPoint(743, 235);
}

graMemory::graMemory(MemoryWindow& window, const CSlowa& catalogue, CStatRec& stats,
                     SoundPlayer& player, RandomGenerator& random, bool smallScreen, int pairCount)
    : m_window(&window), m_stats(stats), m_player(player), m_random(random),
      m_smallScreen(smallScreen) {
    const bool knownBoard = pairCount == 3 || pairCount == 6 || pairCount == 10;
    const int slotCount = knownBoard ? 2 * pairCount : 0;
    m_cards.resize(static_cast<std::size_t>(slotCount));

    CKarta::Common common;
    common.back = LoadOptionalJpeg(QStringLiteral("Data/Sio/blkcard0.xji"));
    common.matchMask = LoadOptionalJpeg(smallScreen ? QStringLiteral("Data/Bio/_matr_ms.xji")
                                                    : QStringLiteral("Data/Bio/_matr_mb.xji"));
    common.matchPosition = MatchPosition(smallScreen);

    // A selection with fewer words than pairs leaves slots empty; one with more deals only
    // what fits. Either way every scan below meets a free slot.
    const int words = std::min(catalogue.SelectionCount(), slotCount / 2);
    for (int w = 0; w < words; ++w) {
        const WordEntry& entry = catalogue.Entry(CSlowa::Selection, w);
        m_words.insert(entry.Key, entry);
        for (int copy = 0; copy < 2; ++copy) {
            int c = m_random.below(slotCount);
            while (m_cards[static_cast<std::size_t>(c)])
                c = (c + 1) % slotCount;
            auto card = std::make_unique<CKarta>(window.ControlParent(), entry.Key,
                                                 entry.SmallPicture, common, smallScreen);
            CKarta* raw = card.get();
            card->SetOnClick([this, raw] { CardClicked(*raw); });
            card->SetOnRemove([this, raw] { removePair(*raw); });
            card->SetOnTurnBack([this, raw] { turnBack(*raw); });
            const QPoint at = SlotPosition(slotCount, c, smallScreen);
            card->SetPosition(at.x(), at.y());
            m_cards[static_cast<std::size_t>(c)] = std::move(card);
        }
    }
    m_cardsLeft = 2 * words;
}

graMemory::~graMemory() {
    m_window = nullptr;
    m_firstCard = nullptr;
    m_cards.clear();
}

CKarta* graMemory::Card(int slot) const {
    if (slot < 0 || slot >= SlotCount())
        return nullptr;
    return m_cards[static_cast<std::size_t>(slot)].get();
}

void graMemory::DrawBoard(Canvas& canvas) {
    for (int slot = 0; slot < SlotCount(); ++slot) {
        CKarta* card = Card(slot);
        if (!card || !card->IsVisible())
            continue;
        const QPoint at = SlotPosition(SlotCount(), slot, m_smallScreen);
        card->SetPosition(at.x(), at.y());
        card->DrawBack(canvas);
    }
}

bool graMemory::IsMatch(const CKarta* a, const CKarta* b) const {
    return a && b && a != b && a->IsVisible() && b->IsVisible() && a->Key() == b->Key();
}

bool graMemory::IsComplete() const {
    return m_cardsLeft == m_turnedCount;
}

void graMemory::CardClicked(CKarta& card) {
    // Every click of the child is activity, even one the board ignores: a long game played by
    // cards alone must not go idle and lose its record.
    m_stats.Touch();
    if (!m_inputOpen || !m_window || !card.IsVisible())
        return;
    if (m_turnedCount == 0) {
        m_firstCard = &card;
        m_turnedCount = 1;
        card.DrawFace(m_window->ScreenCanvas());
        m_window->RepaintWindow();
        return;
    }
    if (&card == m_firstCard)
        return;

    card.DrawFace(m_window->ScreenCanvas());
    m_inputOpen = false;
    m_turnedCount = 2;
    if (IsMatch(m_firstCard, &card)) {
        m_stats.AddCorrect();
        // The pair's word is all the child gave: nothing to add as the answer.
        answered(AnswerSink::Outcome::Correct, card);
        m_cardsLeft -= 2;
        card.ShowMatch(m_window->ScreenCanvas());
        m_window->RepaintWindow();
        // The pair stays on show for the full interval after the word has been spoken.
        card.PlayWord(m_player);
        card.RemoveTimer().start();
    } else {
        m_stats.AddWrong();
        // Each word of the pair was missed; the word it was paired with shows what the child
        // took it for, which is what a therapist looks for in confused pairs.
        if (m_firstCard) {
            answered(AnswerSink::Outcome::Wrong, *m_firstCard, writtenWord(card));
            answered(AnswerSink::Outcome::Wrong, card, writtenWord(*m_firstCard));
        }
        card.TurnBackTimer().start();
    }
    m_turnedCount = 0;
    m_window->RepaintWindow();
}

void graMemory::answered(AnswerSink::Outcome outcome, const CKarta& card, const QString& answer) {
    m_stats.Answered(outcome, card.Key(), m_words.value(card.Key()).SoundCode, answer);
}

QString graMemory::writtenWord(const CKarta& card) const {
    return m_words.value(card.Key()).plainWord();
}

void graMemory::removePair(CKarta& second) {
    second.RemoveTimer().stop();
    second.SetVisible(false);
    if (m_firstCard)
        m_firstCard->SetVisible(false);
    m_firstCard = nullptr;
    if (!m_window)
        return;
    m_window->A_EkranPaint();
    m_inputOpen = true;
    // Last: stopping shows the summary, whose "start" may replace this game. The window keeps
    // a replaced game alive until control is back in its event loop.
    if (m_cardsLeft == 0)
        m_window->A_Stop();
}

void graMemory::turnBack(CKarta& second) {
    second.TurnBackTimer().stop();
    if (!m_window)
        return;
    second.DrawBack(m_window->ScreenCanvas());
    if (m_firstCard)
        m_firstCard->DrawBack(m_window->ScreenCanvas());
    m_window->RepaintWindow();
    m_firstCard = nullptr;
    m_inputOpen = true;
}

void graMemory::Hint() {
    if (m_firstCard || !m_window)
        return;
    const int n = SlotCount();
    const auto onBoard = [this](int slot) {
        const CKarta* card = Card(slot);
        return card && card->IsVisible();
    };
    // Nothing left to show: no hint is given or counted.
    if (std::none_of(m_cards.begin(), m_cards.end(),
                     [](const auto& card) { return card && card->IsVisible(); }))
        return;

    m_stats.AddHint();
    int s = m_random.below(n - 1);
    while (!onBoard(s))
        s = (s + 1) % n;
    int t = (s + 1) % n;
    for (int steps = 0; steps < n && !IsMatch(Card(s), Card(t)); ++steps)
        t = (t + 1) % n;
    if (!IsMatch(Card(s), Card(t)))
        return;
    // The hint shows one pair, so it helps with that word alone.
    answered(AnswerSink::Outcome::Hint, *Card(s));

    // Drawn on the window itself: the screen canvas keeps the face-down board, so the next
    // repaint hides the pair again whatever happens.
    Canvas& visible = m_window->VisibleCanvas();
    m_hintShowing = true;
    Card(s)->DrawFace(visible);
    Card(t)->DrawFace(visible);
    Sleep(HintMs);
    Card(s)->DrawBack(visible);
    Card(t)->DrawBack(visible);
    m_hintShowing = false;
}

void graMemory::StopTimers() {
    for (const auto& card : m_cards) {
        if (!card)
            continue;
        card->RemoveTimer().stop();
        card->TurnBackTimer().stop();
    }
}

void graMemory::Retire() {
    StopTimers();
    for (const auto& card : m_cards) {
        if (card)
            card->SetVisible(false);
    }
    m_firstCard = nullptr;
    m_inputOpen = false;
    m_window = nullptr;
}
