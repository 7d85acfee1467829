#include "tformkomunikat.h"

#include "cblad.h"
#include "cdisplay.h"
#include "cprzyciskp.h"
#include "heavyfont.h"
#include "mediafiles.h"
#include "picturetable.h"

#include <QFileInfo>
#include <QLabel>
#include <exception>

namespace {

// The window's picture and its "stop" button.
PictureTable pictures() {
    using W = TFormKomunikat;
    return {{{QStringLiteral("Data/Intf/Spec/mKom_kp.xji"), QPoint(0, 0)}},
            {{QStringLiteral("stop"), QPoint(W::DesignWidth / 2 - 30, W::DesignHeight - 100)}}};
}

} // namespace

QStringList TFormKomunikat::PictureFiles(const CDisplay&) {
    return pictures().Files();
}

TFormKomunikat::TFormKomunikat(const CDisplay& display)
    : m_display(display), m_label(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Komunikat"));
    setClientSize(DesignWidth, DesignHeight);
    setRoundedRegion(DesignWidth, DesignHeight, 25, 25);
    setDraggable(true); // a press on the label reaches the window too: QLabel ignores it

    const PictureTable table = pictures();
    const PictureTable::Picture& picture = table.pictures.front();
    if (!QFileInfo::exists(picture.file))
        throw CBlad(1);
    try {
        LoadJpegBitmap(m_picture, picture.file);
    } catch (const std::exception&) {
        // A picture that is there but unreadable is as missing as one that is not there.
        throw CBlad(1);
    }
    Canvas& front = canvas();
    front.fillRect(front.rect()); // white where the picture is smaller than the window
    front.draw(picture.at.x(), picture.at.y(), m_picture);

    m_label->setGeometry(18, 51, 385, 134);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_label->setFont(HeavyFont(16));
    QPalette black = m_label->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    m_label->setPalette(black);

    // Made after the label so that its hit area lies above it where the two overlap.
    const PictureTable::Button& stop = table.buttons.front();
    m_stop = std::make_unique<CPrzyciskP>(*this, stop.name, canvas(), m_picture, stop.at.x(),
                                          stop.at.y(), [this] { A_Stop(); });
}

TFormKomunikat::~TFormKomunikat() = default;

QString TFormKomunikat::NoticeText(int code) {
    switch (code) {
    case TooFewWords:
        return QStringLiteral("Proszę wybrać większą liczbę głosek lub pozycji.");
    case ChooseItemAndName:
        return QStringLiteral("Proszę wybrać pozycję i wprowadzić nazwę nagrania.");
    case EnterName:
        return QStringLiteral("Proszę wprowadzić nazwę dla nagrania.");
    case ChooseItemToPlay:
        return QStringLiteral("Proszę wybrać pozycję do odtworzenia.");
    case NoRecording:
        return QStringLiteral("Brak nagrania dla wybranej pozycji.");
    default:
        return QStringLiteral("Błąd.");
    }
}

void TFormKomunikat::SetNotice(int code) {
    m_label->setText(NoticeText(code));
}

QString TFormKomunikat::Text() const {
    return m_label->text();
}

void TFormKomunikat::ShowNotice(int code) {
    SetNotice(code);
    move((m_display.ScreenWidth - width()) / 2, (m_display.ScreenHeight - height()) / 2);
    showModal();
}

void TFormKomunikat::A_Stop() {
    close();
}

bool TFormKomunikat::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return Form::keyPressed(ch);
}
