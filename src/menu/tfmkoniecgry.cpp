#include "tfmkoniecgry.h"

#include "cblad.h"
#include "cdisplay.h"
#include "cprzyciskp.h"
#include "cstatrec.h"
#include "heavyfont.h"
#include "mediafiles.h"
#include "picturetable.h"

#include <QFontMetrics>
#include <QLabel>
#include <exception>

namespace {

QImage loadPicture(const QString& path) {
    QImage picture;
    try {
        LoadJpegBitmap(picture, path);
    } catch (const std::exception&) {
        throw CBlad(1);
    }
    return picture;
}

// The grade pictures (bad, middle, good: each is the whole background) and the buttons, "start"
// then "stop".
PictureTable pictures() {
    const QString folder = QStringLiteral("Data/Intf/Spec/");
    return {
        {{folder + QStringLiteral("mStatsB.xji"), QPoint(0, 0)},
         {folder + QStringLiteral("mStatsM.xji"), QPoint(0, 0)},
         {folder + QStringLiteral("mStatsG.xji"), QPoint(0, 0)}},
        {{QStringLiteral("start"), QPoint(235, 340)}, {QStringLiteral("stop"), QPoint(325, 340)}}};
}

// The value labels grow to the left from the right edge that their first text, "0", gave
// them; this is how far they may reach.
constexpr int ValueSpan = 240;

} // namespace

QStringList TfmKoniecGry::PictureFiles(const CDisplay&) {
    return pictures().Files();
}

TfmKoniecGry::TfmKoniecGry(const CDisplay& display, CStatRec& stats)
    : m_display(display), m_stats(stats) {
    setWindowTitle(QStringLiteral("Koniec gry"));
    setClientSize(DesignWidth, DesignHeight);
    // The shape starts 5 pixels in: the picture's frame is drawn there.
    setRoundedRegion(DesignWidth - 5, DesignHeight - 5, 50, 50);
    setMask(mask().translated(5, 5));
    setDraggable(true);

    const PictureTable table = pictures();
    m_bad = loadPicture(table.pictures.at(0).file);
    m_middle = loadPicture(table.pictures.at(1).file);
    m_good = loadPicture(table.pictures.at(2).file);
    m_background = m_middle;
    canvas().draw(0, 0, m_background);

    addCaption(QStringLiteral("Czas gry:"), 88, 177);
    m_czas = addValue(344, 177);
    addCaption(QStringLiteral("Poprawne rozwiązania:"), 88, 206);
    m_dobre = addValue(408, 206);
    addCaption(QStringLiteral("Błędne rozwiązania:"), 88, 237);
    m_zle = addValue(408, 237);
    addCaption(QStringLiteral("Liczba podpowiedzi:"), 88, 270);
    m_pomoc = addValue(408, 270);

    // The buttons compose over m_background, which keeps its address when the grade
    // picture is copied into it.
    auto button = [&](const PictureTable::Button& b, CPrzyciskP::Action action) {
        return std::make_unique<CPrzyciskP>(*this, b.name, canvas(), m_background, b.at.x(),
                                            b.at.y(), std::move(action));
    };
    m_start = button(table.buttons.at(0), [this] { A_OdNowa(); });
    m_stop = button(table.buttons.at(1), [this] { A_Stop(); });
}

TfmKoniecGry::~TfmKoniecGry() = default;

QLabel* TfmKoniecGry::addCaption(const QString& text, int x, int y) {
    auto* label = new QLabel(text, this);
    label->setFont(HeavyFont(19));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* TfmKoniecGry::addValue(int leftEdge, int y) {
    auto* label = new QLabel(QStringLiteral("0"), this);
    label->setFont(HeavyFont(19));
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->adjustSize();
    const int right = leftEdge + label->width();
    label->setGeometry(right - ValueSpan, y, ValueSpan, label->height());
    return label;
}

void TfmKoniecGry::SetMainWindow(QWidget* mainWindow) {
    m_mainWindow = mainWindow;
}

void TfmKoniecGry::fillFromStatistics() {
    m_pomoc->setText(m_stats.HintsText());
    m_czas->setText(m_stats.DurationText());
    m_dobre->setText(m_stats.CorrectText());
    m_zle->setText(m_stats.WrongText());

    switch (m_stats.Grade()) {
    case 1:
        m_background = m_bad;
        break;
    case 2:
        m_background = m_middle;
        break;
    case 4:
        m_background = m_good;
        break;
    default:
        return; // no picture for it: the last one stays
    }
    // While hidden this only changes the picture; the buttons compose over it when the
    // window is painted on showing.
    canvas().draw(0, 0, m_background);
}

void TfmKoniecGry::placeWindow() {
    if (m_mainWindow && m_mainWindow->isVisible()) {
        const QRect over = m_mainWindow->frameGeometry();
        move(over.x() + (over.width() - width()) / 2, over.y() + (over.height() - height()) / 2);
        return;
    }
    move((m_display.ScreenWidth - width()) / 2, (m_display.ScreenHeight - height()) / 2);
}

int TfmKoniecGry::ShowSummary() {
    fillFromStatistics();
    placeWindow();
    const int result = showModal();
    return result == PlayAgain ? PlayAgain : Close;
}

void TfmKoniecGry::A_OdNowa() {
    setModalResult(PlayAgain);
}

void TfmKoniecGry::A_Stop() {
    setModalResult(Close);
}

bool TfmKoniecGry::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return Form::keyPressed(ch);
}
