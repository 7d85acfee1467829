#include "tformoprogramie.h"

#include "cblad.h"
#include "cdisplay.h"
#include "cprzyciskp.h"
#include "cursors.h"
#include "imageloader.h"
#include "mediafiles.h"
#include "messagebox.h"
#include "picturetable.h"
#include "shellopen.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

struct LabelText {
    const char* text;
    int pixelSize;
    bool bold;
};

// Texts of the window. Nothing here names a person, an address or a telephone: the program
// is an open project and its help is the user guide that comes with it.
const LabelText Texts[TFormOProgramie::LabelCount] = {
    {"Wersja 1.6", 13, false},
    {"Wiklotek Cz.I \u2014 obrazkowe gry logopedyczne dla dzieci", 13, false},
    // Where the licence and the guide are is filled in for the copy that runs.
    {"", 13, false},
    {"Wolno go kopiować, zmieniać i rozdawać bez opłat.", 13, false},
    {"Pomoc:", 13, false},
    {"Opis gier, wyboru materiału i nagrań", 14, true},
    {"znajdziesz w podręczniku użytkownika", 14, true},
    {"", 14, true},
    {"", 14, true},
    {"", 14, true},
    {"Otwórz podręcznik użytkownika", 13, true},
    {"", 13, true},
    {"Autorzy programu:", 13, false},
    {"zespół projektu Wiklotek Cz.I", 13, true},
    {"Obrazki:", 13, false},
    // Licence names hold non-breaking spaces and hyphens: a wrapped line never splits one.
    {"Fluent Emoji Flat (Microsoft, MIT), OpenMoji (CC\u00A0BY\u2011SA\u00A04.0), Noto Emoji "
     "(Google, Apache\u00A02.0), Twemoji (CC\u00A0BY\u00A04.0) i rysunki własne projektu (MIT)",
     13, true},
    {"Czcionka i głos:", 13, false},
    {"Andika (SIL International, SIL\u00A0OFL\u00A01.1); wyrazy czyta syntezator mowy espeak-ng",
     13, true},
};

// The background in the play area, the logo over it and "stop" below the texts.
PictureTable pictures(const CDisplay& display) {
    const int x0 = display.OffsetX;
    const int y0 = display.OffsetY;
    const QString folder = QStringLiteral("Data/Intf/Spec/");
    const QPoint logoAt =
        display.IsSmall() ? QPoint(x0 + 320, y0 + 100) : QPoint(x0 + 410, y0 + 145);
    return {{{folder + QStringLiteral("mT_OPro") + display.Suffix() + ".xji", QPoint(x0, y0)},
             {folder + QStringLiteral("l1") + display.Suffix() + ".xji", logoAt}},
            {{QStringLiteral("stop"),
              QPoint(x0 + display.DesignWidth / 2 - 40, y0 + display.DesignHeight * 8 / 10)}}};
}

// Colour of the links: a light blue that reads well on the window's dark picture.
const QColor LinkColour(0x9C, 0xD4, 0xFF);

} // namespace

QString TFormOProgramie::LicenceFile(const QString& packFolder) {
    // Beside the program (a portable folder), or where the installed documentation lives.
    for (const QString& candidate :
         {QStringLiteral("LICENSE"), QStringLiteral(WIKLOTEK_INSTALLED_DOCS "/LICENSE")}) {
        const QFileInfo file(QDir(packFolder).filePath(candidate));
        if (file.isFile())
            return QDir::cleanPath(file.absoluteFilePath());
    }
    return {};
}

QString TFormOProgramie::GuidePath(const QString& packFolder) {
    return QDir::cleanPath(QDir(packFolder).absoluteFilePath(GuideFile()));
}

QString TFormOProgramie::LicenceText(const QString& licenceFile) {
    if (licenceFile.isEmpty())
        return QStringLiteral("Program jest wolny: licencja MIT.");
    return QStringLiteral("Program jest wolny: licencja MIT (plik %1).")
        .arg(QDir::toNativeSeparators(licenceFile));
}

QString TFormOProgramie::GuideText(const QString& guidePath) {
    return QStringLiteral("w pliku %1:").arg(QDir::toNativeSeparators(guidePath));
}

QStringList TFormOProgramie::PictureFiles(const CDisplay& display) {
    return pictures(display).Files();
}

TFormOProgramie::TFormOProgramie(const CDisplay& display) : m_display(display) {
    setWindowTitle(QStringLiteral("Wiklotek Cz.I"));
    setGeometry(0, 0, display.ScreenWidth, display.ScreenHeight);
    canvas().setBrushColor(Qt::gray);

    const PictureTable table = pictures(display);
    m_background = QImage(display.ScreenWidth, display.ScreenHeight, QImage::Format_RGB32);
    m_background.fill(Qt::black);
    {
        QPainter p(&m_background);
        for (const PictureTable::Picture& picture : table.pictures)
            p.drawImage(picture.at, LoadRequiredPicture(picture.file));
    }
    m_logoAt = table.pictures.at(1).at;
    // The front image keeps the picture; the button composes itself over it.
    canvas().draw(0, 0, m_background);
    const PictureTable::Button& stop = table.buttons.front();
    m_stop = std::make_unique<CPrzyciskP>(*this, stop.name, canvas(), m_background, stop.at.x(),
                                          stop.at.y(), [this] { A_Stop(); });

    for (int i = 0; i < LabelCount; ++i) {
        auto* label = new QLabel(QString::fromUtf8(Texts[i].text), this);
        label->setTextFormat(Qt::PlainText);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QFont font(QStringLiteral("DejaVu Sans"));
        // The small variant has less room below the logo.
        font.setPixelSize(Texts[i].pixelSize - (display.IsSmall() ? 1 : 0));
        font.setBold(Texts[i].bold);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(palette);
        label->setVisible(label->text().size() > 0);
        m_labels[i] = label;
    }
    for (QLabel* link : {m_labels[LabelF6], m_labels[LabelF7]}) {
        QFont font = link->font();
        font.setUnderline(true);
        link->setFont(font);
        QPalette palette = link->palette();
        palette.setColor(QPalette::WindowText, LinkColour);
        link->setPalette(palette);
        link->setCursor(cursorFor(ProgramCursor::Hand));
        link->installEventFilter(this);
    }
    // The run's working folder holds the data pack, and the guide beside it.
    m_guidePath = GuidePath(QDir::currentPath());
    m_licenceText = LicenceText(LicenceFile(QDir::currentPath()));
    m_guideText = GuideText(m_guidePath);
    for (Label line : {LabelPrawa2, LabelF3}) {
        m_labels[line]->setVisible(true);
        m_labels[line]->setToolTip(line == LabelF3 ? m_guideText : m_licenceText);
    }
    m_labels[LabelF7]->setText(ContactAddress());
    m_labels[LabelF7]->setVisible(!ContactAddress().isEmpty());
    // The credit lists wrap within a fixed width, as a column beside their captions.
    for (Label list : {LabelAutList, LabelKonsList, LabelTestList}) {
        m_labels[list]->setWordWrap(true);
        m_labels[list]->setFixedWidth(display.IsSmall() ? 370 : 420);
    }
    placeLabels();
    m_openLink = [](const QString& target) { return ShellOpen(target); };
}

TFormOProgramie::~TFormOProgramie() = default;

void TFormOProgramie::setPathText(QLabel& label, const QString& text, int room) {
    // A long folder keeps both of its ends readable and the line within the calm middle of the
    // window's picture.
    label.setText(QFontMetrics(label.font()).elidedText(text, Qt::ElideMiddle, room));
    label.adjustSize();
}

void TFormOProgramie::A_Podrecznik() {
    if (!m_openLink)
        return;
    if (!QFileInfo(m_guidePath).isFile()) {
        MessageBox::show(this,
                         QStringLiteral("Nie znaleziono podręcznika użytkownika:\n%1")
                             .arg(QDir::toNativeSeparators(m_guidePath)),
                         QStringLiteral("Wiklotek Cz.I"), MessageBox::Icon::Warning);
        return;
    }
    // Without a program that opens pages (xdg-open and a browser) nothing would show at all.
    if (!m_openLink(m_guidePath))
        MessageBox::show(this,
                         QStringLiteral("Nie udało się otworzyć podręcznika: brak programu, który "
                                        "otwiera strony.\n\nOtwórz w przeglądarce plik:\n%1")
                             .arg(QDir::toNativeSeparators(m_guidePath)),
                         QStringLiteral("Wiklotek Cz.I"), MessageBox::Icon::Information);
}

void TFormOProgramie::A_Poczta() {
    if (ContactAddress().isEmpty() || !m_openLink)
        return;
    m_openLink(QStringLiteral("mailto:") + ContactAddress() +
               QStringLiteral("?subject=Wiadomosc%20z%20Wiklotek"));
}

bool TFormOProgramie::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return false;
}

void TFormOProgramie::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    if (m_labels[0])
        placeLabels();
}

bool TFormOProgramie::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_labels[LabelF6]) {
            A_Podrecznik();
            return true;
        }
        if (watched == m_labels[LabelF7]) {
            A_Poczta();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void TFormOProgramie::placeLabels() {
    for (QLabel* label : m_labels)
        label->adjustSize();
    const int cx = m_display.OffsetX + m_display.DesignWidth / 2;
    // The picture's calm middle, where text reads well.
    const int calmLeft = m_display.OffsetX + m_display.DesignWidth * 130 / 800 + 2;
    const int calmRight = m_display.OffsetX + m_display.DesignWidth * 670 / 800 - 2;
    setPathText(*m_labels[LabelPrawa2], m_licenceText, calmRight - calmLeft);
    const auto centre = [cx](QLabel* label, int top) { label->move(cx - label->width() / 2, top); };
    QLabel** l = m_labels.data();
    centre(l[LabelVer], m_display.OffsetY + m_display.DesignHeight / 4 + 35);
    const int line = m_display.IsSmall() ? 16 : 18;
    centre(l[LabelPrawa1], l[LabelVer]->y() + 24);
    centre(l[LabelPrawa2], l[LabelPrawa1]->y() + line);
    centre(l[LabelISBN], l[LabelPrawa2]->y() + line);

    const int contactTop = l[LabelPrawa2]->y() + 2 * line + 6;
    l[LabelKontakt]->move(cx - l[LabelKontakt]->width() / 2 - l[LabelF1]->width() / 2 - 6,
                          contactTop);
    const int left = l[LabelKontakt]->x() + l[LabelKontakt]->width() + 6;
    setPathText(*l[LabelF3], m_guideText, calmRight - left);
    // Lines without text are hidden and take no room.
    const int step = m_display.IsSmall() ? 16 : 18;
    int top = contactTop;
    int lastLine = LabelF1;
    for (int i = LabelF1; i <= LabelF7; ++i) {
        l[i]->move(left, top);
        if (!l[i]->isHidden()) {
            lastLine = i;
            top += step;
        }
    }

    // The credits hang from the contact column: captions end 6 pixels left of it.
    const int captionRight = l[LabelF2]->x() - 6;
    const auto row = [&](Label caption, Label list, int rowTop) {
        l[caption]->move(captionRight - l[caption]->width(), rowTop);
        l[list]->move(l[caption]->x() + l[caption]->width() + 6, rowTop);
    };
    row(LabelAut, LabelAutList, l[lastLine]->y() + 24);
    row(LabelKons, LabelKonsList, l[LabelAutList]->y() + l[LabelAutList]->height() + 6);
    row(LabelTest, LabelTestList, l[LabelKonsList]->y() + l[LabelKonsList]->height() + 6);
}
