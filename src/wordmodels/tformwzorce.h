#pragma once

#include "audioinput.h"
#include "cdisplay.h"
#include "modelcatalogue.h"
#include "modellist.h"
#include "modelstore.h"
#include "takesession.h"
#include "therapistform.h"

#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class AudioOutput;
class LevelMeter;
class ModelListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
struct WordEntry;

// The therapist's window of word models ("Wzorce"): every word (or praise and try-again phrase)
// with its picture and whether the therapist's own recording of it is there, filtered by sound
// group, position and "bez własnego nagrania". For the chosen one: hear the model in use,
// record a take with a live level meter, hear it cleaned, keep it or record again, delete the
// own recording (the program's plays again). Keyboard first, so that the list goes fast:
// space starts and ends a take, Enter keeps it and moves to the next model, Backspace records
// again, P plays. It covers the screen like the progress window; "stop" and Escape close it.
class TFormWzorce : public TherapistForm {
    Q_OBJECT
public:
    // The microphone as the window uses it; tests give their own samples.
    using Capture = CaptureSource;
    // Plays samples; returns an id for stop, 0 when nothing plays.
    struct Playback {
        std::function<unsigned(std::vector<short>)> play;
        std::function<void(unsigned)> stop;
    };

    // Throws CBlad(1) when the stop button's pictures are missing.
    TFormWzorce(const CDisplay& display, const std::vector<WordEntry>& words,
                const QString& modelsFolder);
    ~TFormWzorce() override;

    static QString Title() { return QStringLiteral("Wiklotek Cz.I - Wzorce"); }

    // How long the microphone may give nothing before the take ends as heard nothing.
    static constexpr int NoSoundTimeoutMs = 2000;

    void A_Nagraj();     // space: starts a take, or ends the running one
    void A_Zachowaj();   // Enter: keeps a take that is ready, then goes to the next model
    void A_JeszczeRaz(); // Backspace: drops the take and starts another
    void A_Odtworz();    // P: the take that is ready, or else the model in use
    void A_Usun();       // deletes the own recording of the chosen model

    void SetCapture(Capture capture) { m_capture = std::move(capture); }
    void SetPlayback(Playback playback) { m_playback = std::move(playback); }

    // State, for tests.
    ModelList& List() { return m_list; }
    const ModelStore& Store() const { return m_store; }
    const TakeSession& Session() const { return m_session; }
    int CurrentRow() const;
    void SelectRow(int row);
    void SetFilter(const ModelList::Filter& filter);
    QString StatusText() const;
    QString WarningText() const;
    double MeterLevel() const;

protected:
    bool keyPressed(char16_t ch) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildFilters(int x, int y, int width, int text);
    void applyFilter();
    void showChosen();
    void reload(const QString& select);
    void setStatus(const QString& text);
    void onSamples();
    void endTake();
    void stopSound();
    void play(std::vector<short> samples);
    // The samples of the model in use: the own recording when it can be read, else the pack's.
    std::vector<short> modelInUse(const ModelEntry& entry) const;
    void updateButtons();
    void updateCounts();
    const ModelEntry* chosen() const;

    const CDisplay& m_display;
    ModelCatalogue m_catalogue;
    ModelStore m_store;
    ModelList m_list;
    TakeSession m_session;
    Capture m_capture;
    Playback m_playback;
    std::shared_ptr<AudioOutput> m_output;
    unsigned m_playing = 0;
    QTimer m_noSound;

    ModelListModel* m_model = nullptr;
    QListView* m_view = nullptr;
    QComboBox* m_kind = nullptr;
    QComboBox* m_group = nullptr;
    QComboBox* m_position = nullptr;
    QCheckBox* m_withoutOwn = nullptr;
    QLabel* m_counts = nullptr;
    QLabel* m_picture = nullptr;
    QLabel* m_word = nullptr;
    QLabel* m_source = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_warnings = nullptr;
    LevelMeter* m_meter = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_keep = nullptr;
    QPushButton* m_again = nullptr;
    QPushButton* m_listen = nullptr;
    QPushButton* m_delete = nullptr;
    int m_pictureSize = 0;
};
