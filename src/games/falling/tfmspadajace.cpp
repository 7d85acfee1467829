#include "tfmspadajace.h"

#include "cdisplay.h"
#include "cokrag.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "cursors.h"
#include "custgry.h"
#include "wordbits.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStringList>
#include <algorithm>

namespace {

constexpr int LabelPixelSize = 17;
constexpr int SmallestLabelPixelSize = 12;

// Arial Black of the original look: a heavy sans of the same height.
QFont labelFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Black);
    return font;
}

QLabel* makeLabel(QWidget& window) {
    auto* label = new QLabel(&window);
    label->setFont(labelFont(LabelPixelSize));
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

} // namespace

GameLayout TfmSpadajace::Layout(const CDisplay& display) {
    return {{BackgroundPath(display.IsSmall())},
            GameLayout::RightColumn(display, {QStringLiteral("pomoc"), QStringLiteral("stop")}),
            COkrag::PictureFiles(display.IsSmall())};
}

QString TfmSpadajace::BackgroundPath(bool smallScreen) {
    return smallScreen ? QStringLiteral("Data/Intf/Spec/mT_Spa_s.xbi")
                       : QStringLiteral("Data/Intf/Spec/mT_Spa_b.xbi");
}

QString TfmSpadajace::SoundsText(std::uint16_t gloski) {
    static const std::pair<std::uint16_t, const char*> names[] = {
        {WordBits::Sz, "SZ"}, {WordBits::Zh, "Ż/RZ"}, {WordBits::Cz, "CZ"}, {WordBits::Dzh, "DŻ"}};
    QStringList chosen;
    for (const auto& [bit, name] : names) {
        if (gloski & bit)
            chosen << QString::fromUtf8(name);
    }
    return chosen.join(QStringLiteral(", "));
}

int TfmSpadajace::StepsPerTick(int poziom) {
    return poziom >= 1 && poziom <= 3 ? poziom : 0;
}

TfmSpadajace::TfmSpadajace(const GameServices& services)
    : GameWindow(services, QStringLiteral("Spadające"), Layout(services.display)) {
    // The ring is loaded here, once, so that a missing ring picture is reported at start-up
    // and not in the middle of a game; it throws CBlad(1) itself.
    m_zoom = std::make_unique<COkrag>(m_display, m_screen);

    m_vpSzukaj = makeLabel(*this);
    m_vpSzukGloski = makeLabel(*this);
    m_searchLeft = m_w / 80 * (m_display.IsSmall() ? 62 : 68);
    m_vpSzukaj->move(m_searchLeft, m_h / 80 * 77);
    fitLabelFont();
    setLabels(QStringLiteral("Wybierz obrazki z:"), QString(), true);

    m_shotCursor = cursorFor(ProgramCursor::Shot);
    setCursor(m_shotCursor);
    setMouseTracking(true);

    m_gameTimer.setTimerType(Qt::PreciseTimer);
    m_gameTimer.setInterval(TickMs);
    connect(&m_gameTimer, &QTimer::timeout, this, [this] { t_GameTimer(); });
}

TfmSpadajace::~TfmSpadajace() {
    m_gameTimer.stop();
    unsetCursor();
}

void TfmSpadajace::fitLabelFont() {
    // Our heavy font runs wider than the one the labels' place was chosen for, and the panel
    // they stand in ends at the window's edge: the font gets smaller, for both labels alike,
    // until every text they show fits between their place and that edge.
    const QString texts[] = {QStringLiteral("Wybierz obrazki z:"), SoundsText(WordBits::GroupMask),
                             QStringLiteral("Wybierz obrazek,"),
                             QStringLiteral("aby go powiększyć.")};
    const int room = m_w - LabelMargin - m_searchLeft;
    int size = LabelPixelSize;
    for (; size > SmallestLabelPixelSize; --size) {
        const QFontMetrics metrics(labelFont(size));
        if (std::all_of(std::begin(texts), std::end(texts), [&](const QString& text) {
                // Measured as the label measures itself.
                return metrics.boundingRect(QRect(0, 0, 2000, 100), Qt::AlignLeft, text).width() <=
                       room;
            }))
            break;
    }
    m_vpSzukaj->setFont(labelFont(size));
    m_vpSzukGloski->setFont(labelFont(size));
}

void TfmSpadajace::setLabels(const QString& search, const QString& sounds, bool centred) {
    m_vpSzukaj->setText(search);
    m_vpSzukaj->adjustSize();
    m_vpSzukGloski->setText(sounds);
    m_vpSzukGloski->adjustSize();
    int left = centred ? m_vpSzukaj->x() + m_vpSzukaj->width() / 2 - m_vpSzukGloski->width() / 2
                       : m_vpSzukaj->x();
    // Never out of the panel, whatever the text.
    left = std::max(m_searchLeft, std::min(left, m_w - LabelMargin - m_vpSzukGloski->width()));
    m_vpSzukGloski->move(left, m_vpSzukaj->y() + m_vpSzukaj->height() + 2);
}

void TfmSpadajace::A_NowaGra() {
    m_cursorFollowsMouse = true;
    CUstGry distractors;
    distractors.poziom = m_settings.poziom;
    distractors.pozycja = WordBits::PositionMask;
    distractors.gloski = 0;
    distractors.SetDistractorSounds(m_settings);
    retire(m_game);
    const int n = graSpadajace::TargetsForLevel(m_settings.poziom);

    m_catalogue.Filter(m_settings.pozycja, m_settings.gloski);
    m_catalogue.DrawRandom(n);
    m_catalogue.LoadSmallPictures();
    m_game = std::make_unique<graSpadajace>(*this, m_catalogue, m_settings.gloski, m_display,
                                            *m_zoom, m_stats, m_player, m_random);

    m_catalogue.Filter(distractors.pozycja, distractors.gloski);
    m_catalogue.DrawRandom(n);
    m_catalogue.LoadSmallPictures();
    m_game->AddDistractors(m_catalogue);

    A_EkranPaint();
    m_game->LayoutSlots();
    m_gameTimer.start();
    m_game->StartFall();
    setLabels(QStringLiteral("Wybierz obrazki z:"), SoundsText(m_settings.gloski), true);
    m_stats.BeginGame(CStatRec::Spadajace, m_settings);
    // At once, not at the next mouse move: after the end display the cursor was the normal
    // one, and the new slots' hand cursor has reached the window system's window meanwhile.
    setCursorAt(mapFromGlobal(QCursor::pos()));
    RepaintWindow();
}

void TfmSpadajace::A_EkranPaint() {
    clearScreen();
    HelpButton().Show();
    StopButton().Draw();
}

void TfmSpadajace::A_Pomoc() {
    m_stats.Touch();
    if (m_game)
        m_game->Hint();
}

void TfmSpadajace::t_GameTimer() {
    if (!m_game)
        return;
    if (!m_game->IsFinished()) {
        const int steps = StepsPerTick(m_settings.poziom);
        for (int i = 0; i < steps && m_game; ++i)
            m_game->Step();
        return;
    }
    m_gameTimer.stop();
    m_cursorFollowsMouse = false;
    setCursor(cursorFor(ProgramCursor::Default));
    setLabels(QStringLiteral("Wybierz obrazek,"), QStringLiteral("aby go powiększyć."), false);
    m_game->ShowResults();
}

void TfmSpadajace::stopPlay() {
    m_gameTimer.stop();
    if (m_game)
        m_game->Retire();
}

void TfmSpadajace::ShowResultButtons() {
    StopButton().Show();
    HelpButton().Hide();
}

bool TfmSpadajace::IsShotArea(const QPoint& pos) const {
    return pos.x() > 0 && pos.x() < graSpadajace::PlayColumnWidth(m_w) && pos.y() < m_h * 37 / 40;
}

void TfmSpadajace::setCursorAt(const QPoint& pos) {
    setCursor(IsShotArea(pos) ? m_shotCursor : cursorFor(ProgramCursor::Default));
}

void TfmSpadajace::mouseMoveEvent(QMouseEvent* event) {
    if (m_cursorFollowsMouse)
        setCursorAt(event->position().toPoint());
    Form::mouseMoveEvent(event);
}
