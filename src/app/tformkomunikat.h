#pragma once

#include "form.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

class CDisplay;
class CPrzyciskP;
class QLabel;

// The program's own message box: a rounded picture window with one line of advice chosen by
// a notice code, and a "stop" button. Created once, hidden between uses; the body and the text
// drag the window, Escape and "stop" close it.
class TFormKomunikat : public Form {
    Q_OBJECT
public:
    // The interface picture files the constructor reads, relative to the program's folder: the
    // entry checks them all before the menu shows, although the window is made later.
    static QStringList PictureFiles(const CDisplay& display);
    static constexpr int DesignWidth = 420;
    static constexpr int DesignHeight = 250;

    // Notice codes of the callers.
    enum Code {
        TooFewWords = 3,
        ChooseItemAndName = 10,
        EnterName = 11,
        ChooseItemToPlay = 20,
        NoRecording = 21,
    };

    // Throws CBlad(1) when the window's picture or its button's pictures are missing.
    explicit TFormKomunikat(const CDisplay& display);
    ~TFormKomunikat() override;

    // The advice of a code; "Błąd." for a code that has none.
    static QString NoticeText(int code);
    void SetNotice(int code);
    QString Text() const;
    // SetNotice, then shown modally in the middle of the screen; returns once closed.
    void ShowNotice(int code);

    void A_Stop();

    QLabel* vL_Komunikat() const { return m_label; }
    CPrzyciskP& StopButton() { return *m_stop; }

protected:
    bool keyPressed(char16_t ch) override;

private:
    const CDisplay& m_display;
    QImage m_picture;
    QLabel* m_label;
    std::unique_ptr<CPrzyciskP> m_stop;
};
