#pragma once

#include "audioinput.h"
#include "cdisplay.h"
#include "mirrorcoach.h"
#include "scaleends.h"
#include "sibilantstream.h"
#include "therapistform.h"

#include <QString>
#include <vector>

class MirrorScale;
class QComboBox;
class QLabel;
class QPushButton;
class WordView;
struct WordEntry;

// The sibilant mirror ("Lusterko"): while it is open the microphone listens at 44.1 kHz, and a
// ball glides along a scale from the snake's s through ś to the wind's sz as the child holds a
// sound; holding the sound the therapist chose for a second earns a star. Below, a word the
// child says is shown as a spectrogram with its sibilants placed on the scale, beside the model
// word (the therapist's own recording or the program's). The therapist sets the child's scale
// from the child's best s and best sz; it is kept in the child's folder. A practice aid, and the
// window says so. "stop" and Escape close it.
class TFormLusterko : public TherapistForm {
    Q_OBJECT
public:
    static constexpr int Rate = 44100;
    // A word, or a calibration sound, is this long.
    static constexpr int TakeMs = 2500;

    // scaleFile: the child's own scale (see MirrorScaleFile). Throws CBlad(1) when the stop
    // button's pictures are missing.
    TFormLusterko(const CDisplay& display, const std::vector<WordEntry>& words, QString scaleFile);
    ~TFormLusterko() override;

    static QString Title() { return QStringLiteral("Wiklotek Cz.I - Lusterko"); }

    void SetCapture(CaptureSource capture) { m_capture = std::move(capture); }
    // The scale file may have been set by another window since: read when shown.
    void SetScaleFile(QString path) { m_scaleFile = std::move(path); }

    // What the buttons do.
    void A_Cel(Sibilant target);
    void A_NagrajWyraz();
    // Records the child's best s (or sz) for the scale; both done, the scale is set and kept.
    void A_Skala(Sibilant end);
    void A_SkalaDomyslna();

    // State, for tests.
    const MirrorCoach& Coach() const { return m_coach; }
    const MirrorScale& Scale() const { return *m_scale; }
    const WordView& ChildWord() const { return *m_childWord; }
    const WordView& ModelWord() const { return *m_modelWord; }
    const ScaleEnds& Ends() const { return m_ends; }
    QString StatusText() const;
    bool Listening() const { return m_listening; }

protected:
    bool keyPressed(char16_t ch) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    enum class Take { None, Word, S, Sz };
    void startListening();
    void stopListening();
    void onSamples();
    void beginTake(Take kind, const QString& prompt);
    void endTake();
    void setEnds(const ScaleEnds& ends, bool own);
    void setStatus(const QString& text);

    const CDisplay& m_display;
    std::vector<const WordEntry*> m_words;
    QString m_scaleFile;
    CaptureSource m_capture;
    SibilantStream m_stream;
    MirrorCoach m_coach;
    ScaleEnds m_ends = ScaleEnds::ChildDefaults();
    bool m_listening = false;
    bool m_toldDeaf = false;

    Take m_take = Take::None;
    std::vector<short> m_taken;
    std::vector<short> m_sTake; // the calibration's s, until its sz comes

    MirrorScale* m_scale = nullptr;
    WordView* m_childWord = nullptr;
    WordView* m_modelWord = nullptr;
    QComboBox* m_word = nullptr;
    QPushButton* m_targets[3] = {};
    QLabel* m_status = nullptr;
    QLabel* m_scaleText = nullptr;
};
