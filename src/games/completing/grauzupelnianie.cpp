#include "grauzupelnianie.h"

#include "canvas.h"
#include "cdisplay.h"
#include "completingwindow.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "eventpump.h"
#include "inputhold.h"
#include "mediafiles.h"
#include "randomgenerator.h"
#include "soundpad.h"

#include <QWidget>
#include <array>

namespace {

const QString QuestionSound = QStringLiteral("question");
const QString RedSuffix = QStringLiteral("_red");

struct PairRow {
    const char16_t* targets[2];
    const char16_t* first;
    const char16_t* second;
};

// Tried top to bottom: a hissing z finds the "rz" row before the "ż" row.
constexpr std::array<PairRow, 5> PairRows{{
    {{u"sz", u"s"}, u"sz", u"s"},
    {{u"cz", u"c"}, u"cz", u"c"},
    {{u"rz", u"z"}, u"rz", u"z"},
    {{u"ż", nullptr}, u"ż", u"z"},
    {{u"dż", u"dz"}, u"dż", u"dz"},
}};

// The tile size the layouts were made for, used whether or not the frame picture exists.
int tileSizeFor(bool smallScreen) {
    return smallScreen ? 44 : 55;
}

} // namespace

std::optional<graUzupelnianie::SoundPair> graUzupelnianie::PairFor(const QString& target) {
    for (const PairRow& row : PairRows) {
        for (const char16_t* t : row.targets) {
            if (t && target == QString::fromUtf16(t))
                return SoundPair{QString::fromUtf16(row.first), QString::fromUtf16(row.second)};
        }
    }
    return std::nullopt;
}

int graUzupelnianie::RowStart(int tiles, int tileSize, int w) {
    const int p = tileSize + TileGap;
    return w / 2 - (tiles % 2 * p) / 2 - p * (tiles / 2);
}

QString graUzupelnianie::FramePath(bool smallScreen) {
    return smallScreen ? QStringLiteral("Data/Bio/_matr_ups.xji")
                       : QStringLiteral("Data/Bio/_matr_upb.xji");
}

graUzupelnianie::graUzupelnianie(CompletingWindow& window, CSlowa& catalogue, CStatRec& stats,
                                 SoundPlayer& player, RandomGenerator& random,
                                 const CDisplay& display)
    : m_lastIndex(catalogue.SelectionCount() - 1), m_window(&window), m_catalogue(catalogue),
      m_stats(stats), m_player(player), m_random(random),
      m_tileSize(tileSizeFor(display.IsSmall())),
      m_playArea(display.DesignWidth, display.DesignHeight), m_variantSuffix(display.Suffix()) {
    m_frame = LoadOptionalJpeg(FramePath(display.IsSmall()));
    m_endTimer.setInterval(EndMs);
    QObject::connect(&m_endTimer, &QTimer::timeout, [this] { endTimerFired(); });
}

graUzupelnianie::~graUzupelnianie() {
    m_endTimer.stop();
    m_window = nullptr;
}

WordEntry* graUzupelnianie::current() const {
    if (m_index < 0 || m_index >= m_catalogue.SelectionCount())
        return nullptr;
    return &m_catalogue.Entry(CSlowa::Selection, m_index);
}

CGloska* graUzupelnianie::gapTile() const {
    if (m_gapIndex < 0 || m_gapIndex >= TileCount())
        return nullptr;
    return m_tiles[static_cast<std::size_t>(m_gapIndex)].get();
}

bool graUzupelnianie::IsSolved() const {
    const WordEntry* word = current();
    return !word || !word->isDrawn();
}

bool graUzupelnianie::AllSolved() const {
    for (const WordEntry& word : m_catalogue.SelectionList()) {
        if (word.isDrawn())
            return false;
    }
    return true;
}

QRect graUzupelnianie::PictureRect() const {
    if (!m_frame.isNull())
        return QRect(m_picture, m_frame.size());
    const WordEntry* word = current();
    return word ? QRect(m_picture, word->BigPicture.size()) : QRect();
}

void graUzupelnianie::BuildWord() {
    // The buttons may be judging a choice right now; their word stays until that is over.
    if (m_checking)
        return;
    m_tiles.clear();
    m_first.reset();
    m_second.reset();
    m_gapIndex = -1;
    m_target.clear();
    const WordEntry* word = current();
    if (!word || !m_window) {
        m_wordName.clear();
        m_wordCode = 0;
        return;
    }
    m_wordName = word->Key;
    m_wordCode = word->SoundCode;

    const QString& segmentation = word->Segmentation;
    qsizetype start = 0;
    while (start < segmentation.size()) {
        qsizetype comma = segmentation.indexOf(u',', start);
        if (comma < 0)
            comma = segmentation.size();
        const QString run = segmentation.mid(start, comma - start);
        start = comma + 1;
        if (run.isEmpty())
            continue;
        if (!run.startsWith(u'_')) {
            m_tiles.push_back(std::make_unique<CGloska>(run, m_variantSuffix, m_tileSize));
            continue;
        }
        m_tiles.push_back(std::make_unique<CGloska>(QuestionSound, m_variantSuffix, m_tileSize));
        m_gapIndex = TileCount() - 1;
        m_target = run.mid(1);
        m_first.reset();
        m_second.reset();
        // A target in no pair row gets no buttons: the child can still move on.
        if (const std::optional<SoundPair> pair = PairFor(m_target)) {
            const int side = m_random.below(2);
            const auto onChoose = [this](const QString& sound) { choose(sound); };
            const QSize tile(m_tileSize, m_tileSize);
            m_first = std::make_unique<CGloska>(m_window->ControlParent(), pair->first, side,
                                                m_playArea, m_variantSuffix, tile, onChoose);
            m_second = std::make_unique<CGloska>(m_window->ControlParent(), pair->second, 1 - side,
                                                 m_playArea, m_variantSuffix, tile, onChoose);
        }
    }

    if (IsSolved()) {
        if (m_first)
            m_first->SetEnabled(false);
        if (m_second)
            m_second->SetEnabled(false);
        if (CGloska* gap = gapTile())
            gap->LoadPicture(m_target, RedSuffix);
    }
}

void graUzupelnianie::DrawWord() {
    if (!m_window)
        return;
    Canvas& screen = m_window->ScreenCanvas();
    if (const WordEntry* word = current(); word && !word->BigPicture.isNull()) {
        if (!m_frame.isNull()) {
            screen.drawMasked(m_picture.x(), m_picture.y(), m_frame, word->BigPicture);
        } else {
            // Without its mask the picture is shown whole rather than blended into the
            // background.
            screen.setCopyMode(CopyMode::SrcCopy);
            screen.draw(m_picture.x(), m_picture.y(), word->BigPicture);
        }
    }

    const int x = RowStart(TileCount(), m_tileSize, m_playArea.width());
    const int p = m_tileSize + TileGap;
    for (int i = 0; i < TileCount(); ++i) {
        CGloska& tile = *m_tiles[static_cast<std::size_t>(i)];
        tile.SetPosition(x + i * p, m_playArea.height() / 10);
        tile.Draw(screen);
    }

    if (!IsSolved()) {
        for (CGloska* button : {m_first.get(), m_second.get()}) {
            if (button)
                drawButton(*button, SoundPad::Look::Plain);
        }
    }
}

void graUzupelnianie::drawButton(CGloska& button, SoundPad::Look look) {
    Canvas& screen = m_window->ScreenCanvas();
    SoundPad::Draw(screen, QPoint(button.X(), button.Y()), m_tileSize, look);
    screen.setCopyMode(CopyMode::SrcCopy);
    button.Draw(screen);
}

void graUzupelnianie::eraseButton(CGloska& button) {
    Canvas& screen = m_window->ScreenCanvas();
    button.Erase(screen, m_window->BackgroundCanvas());
    // The pad goes with its button.
    const QRect pad = SoundPad::Bounds(QPoint(button.X(), button.Y()), m_tileSize);
    screen.setCopyMode(CopyMode::SrcCopy);
    screen.copyFrom(pad, m_window->BackgroundCanvas(), pad.topLeft());
}

CGloska* graUzupelnianie::buttonWith(const QString& sound) const {
    for (CGloska* button : {m_first.get(), m_second.get()}) {
        if (button && button->Sound() == sound)
            return button;
    }
    return nullptr;
}

std::function<void()> graUzupelnianie::escapeAction() const {
    CompletingWindow* window = m_window;
    return [window] { window->A_Stop(); };
}

void graUzupelnianie::choose(const QString& sound) {
    if (!m_window || m_checking || IsSolved())
        return;
    m_stats.Touch();
    m_chosen = sound;
    Check();
}

void graUzupelnianie::Check() {
    CGloska* gap = gapTile();
    if (!m_window || !gap || m_checking)
        return;
    m_checking = true;
    // The sounds and waits below block the window; what the child clicks meanwhile is not an
    // answer to this word.
    InputHold hold(m_window->ControlParent(), escapeAction());
    Canvas& screen = m_window->ScreenCanvas();

    if (m_chosen == m_target) {
        gap->LoadPicture(m_chosen, RedSuffix);
        gap->Draw(screen);
        for (CGloska* button : {m_first.get(), m_second.get()}) {
            if (button)
                eraseButton(*button);
        }
        ProcessMessages();
        if (!m_window) {
            hold.release();
            m_checking = false;
            return;
        }
        m_window->HideHelpButton();
        m_window->RepaintWindow();
        PlayFeedbackSound(m_player, m_random, FeedbackPraise);
        PlayWordSound(m_player, m_wordName);
        if (WordEntry* word = current())
            word->setDrawn(false);
        hold.Wait(RightPauseMs);
        m_stats.AddCorrect();
        m_stats.Answered(AnswerSink::Outcome::Correct, m_wordName, m_wordCode, m_chosen);
        if (AllSolved())
            m_endTimer.start();
    } else {
        // The chosen sound tries the gap, and the button pressed shows it was not the one.
        gap->LoadPicture(m_chosen, QString());
        gap->Draw(screen);
        if (CGloska* pressed = buttonWith(m_chosen))
            drawButton(*pressed, SoundPad::Look::Wrong);
        m_window->RepaintWindow();
        PlayFeedbackSound(m_player, m_random, FeedbackError);
        m_stats.AddWrong();
        m_stats.Answered(AnswerSink::Outcome::Wrong, m_wordName, m_wordCode, m_chosen);
        hold.Wait(WrongPauseMs);
        if (m_window) {
            gap->LoadPicture(QuestionSound, QString());
            gap->Draw(screen);
            if (CGloska* pressed = buttonWith(m_chosen))
                drawButton(*pressed, SoundPad::Look::Plain);
            m_window->RepaintWindow();
        }
    }
    hold.release();
    m_checking = false;
}

bool graUzupelnianie::Next() {
    m_endTimer.stop();
    if (m_index >= m_lastIndex)
        return false;
    ++m_index;
    return true;
}

bool graUzupelnianie::Previous() {
    m_endTimer.stop();
    if (m_index <= 0)
        return false;
    --m_index;
    return true;
}

void graUzupelnianie::Help() {
    m_endTimer.stop();
    if (m_checking || !m_window)
        return;
    m_stats.AddHint();
    // Help says the word on show, solved or not; without a word there is nothing to log.
    if (!m_wordName.isEmpty())
        m_stats.Answered(AnswerSink::Outcome::Hint, m_wordName, m_wordCode);
    // A solved word already shows its sound.
    CGloska* gap = IsSolved() ? nullptr : gapTile();
    m_checking = true;
    InputHold hold(m_window->ControlParent(), escapeAction());
    // The missing sound shows in the gap while the word is said.
    if (gap) {
        gap->LoadPicture(m_target, RedSuffix);
        gap->Draw(m_window->ScreenCanvas());
        m_window->RepaintWindow();
    }
    if (!PlayWordSound(m_player, m_wordName))
        hold.Wait(HelpPauseMs);
    if (gap && m_window) {
        gap->LoadPicture(QuestionSound, QString());
        gap->Draw(m_window->ScreenCanvas());
        m_window->RepaintWindow();
    }
    hold.release();
    m_checking = false;
}

bool graUzupelnianie::Retry(const QPoint& point) {
    WordEntry* word = current();
    const QRect area = PictureRect();
    if (!word || !m_window || area.isEmpty())
        return false;
    const bool inside = point.x() > area.left() && point.x() < area.left() + area.width() &&
                        point.y() > area.top() && point.y() < area.top() + area.height();
    if (!inside)
        return false;
    word->setDrawn(true);
    Canvas& screen = m_window->ScreenCanvas();
    for (CGloska* button : {m_first.get(), m_second.get()}) {
        if (!button)
            continue;
        button->SetEnabled(true);
        drawButton(*button, SoundPad::Look::Plain);
    }
    if (CGloska* gap = gapTile()) {
        gap->LoadPicture(QuestionSound, QString());
        gap->Draw(screen);
    }
    return true;
}

bool graUzupelnianie::ChooseSide(bool left) {
    CGloska* leftButton = m_first.get();
    CGloska* rightButton = m_second.get();
    if (!leftButton || !rightButton)
        return false;
    if (leftButton->X() > rightButton->X())
        std::swap(leftButton, rightButton);
    CGloska* button = left ? leftButton : rightButton;
    if (!button->IsEnabled() || !button->IsShown() || m_checking)
        return false;
    button->Choose();
    return true;
}

void graUzupelnianie::endTimerFired() {
    m_endTimer.stop();
    // Last: stopping shows the summary, whose "start" may replace this game. The window keeps
    // a replaced game alive until control is back in its event loop.
    if (m_window)
        m_window->A_Stop();
}

void graUzupelnianie::Retire() {
    m_endTimer.stop();
    m_first.reset();
    m_second.reset();
    m_window = nullptr;
}
