#pragma once

#include "form.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class CDisplay;
class CPrzyciskP;
class QLabel;

// The about window: the program's name and version, its licence, where help is found and the
// credits of the pictures, font and voice. It covers the screen; its texts stay centred on the
// play area in both screen variants. "stop" and Escape close it.
class TFormOProgramie : public Form {
    Q_OBJECT
public:
    // The interface picture files the constructor reads, relative to the program's folder: the
    // entry checks them all before the menu shows, although the window is made later.
    static QStringList PictureFiles(const CDisplay& display);
    // The user guide, installed beside the data pack.
    static QString GuideFile() { return QStringLiteral("Podrecznik.html"); }
    // The guide of the copy whose pack is in packFolder, as an absolute path.
    static QString GuidePath(const QString& packFolder);
    // The licence of that copy: beside the program (portable) or in the installed
    // documentation; empty when there is neither.
    static QString LicenceFile(const QString& packFolder);
    // The lines of the window that say where these are.
    static QString LicenceText(const QString& licenceFile);
    static QString GuideText(const QString& guidePath);
    // A contact address for the mail link; the program has none, so the link stays hidden.
    static QString ContactAddress() { return {}; }

    // Throws CBlad(1) when the background, the logo or the button pictures are missing.
    explicit TFormOProgramie(const CDisplay& display);
    ~TFormOProgramie() override;

    void A_Stop() { close(); }
    // The guide link: opens the user guide; when it is missing or nothing can open it, a
    // message says where the file is.
    void A_Podrecznik();
    // The mail link: a message to the contact address, when there is one.
    void A_Poczta();

    // How links reach the desktop; ShellOpen unless replaced (tests record instead).
    using LinkOpener = std::function<bool(const QString&)>;
    void SetLinkOpener(LinkOpener opener) { m_openLink = std::move(opener); }

    enum Label {
        LabelVer,
        LabelPrawa1,
        LabelPrawa2,
        LabelISBN,
        LabelKontakt,
        LabelF1,
        LabelF2,
        LabelF3,
        LabelF4,
        LabelF5,
        LabelF6,
        LabelF7,
        LabelAut,
        LabelAutList,
        LabelKons,
        LabelKonsList,
        LabelTest,
        LabelTestList,
        LabelCount
    };
    QLabel& label(Label which) { return *m_labels[which]; }
    CPrzyciskP& StopButton() { return *m_stop; }
    QPoint LogoPosition() const { return m_logoAt; }

protected:
    bool keyPressed(char16_t ch) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lays the labels out around the play area's centre.
    void placeLabels();
    void setPathText(QLabel& label, const QString& text, int room);

    const CDisplay& m_display;
    QImage m_background;
    QPoint m_logoAt;
    std::unique_ptr<CPrzyciskP> m_stop;
    std::array<QLabel*, LabelCount> m_labels{};
    LinkOpener m_openLink;
    QString m_guidePath;
    QString m_licenceText;
    QString m_guideText;
};
