#include "tformlusterko.h"

#include "calibration.h"
#include "cslowa.h"
#include "mediafiles.h"
#include "mirrorscale.h"
#include "mirrorscalefile.h"
#include "ownvoice.h"
#include "wavesamples.h"
#include "wordbits.h"
#include "wordentry.h"
#include "wordview.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Live listening has no end of its own: an hour's worth, taken away as it comes.
constexpr std::int64_t kListenLimit = std::int64_t(TFormLusterko::Rate) * 3600;
constexpr int kModelRate = 22050; // the pack's words and the own models

QImage picture(const char* name) {
    return QImage(QStringLiteral("Data/Lusterko/%1.png").arg(QLatin1String(name)));
}

// The words worth looking at in the mirror: those with one of the practised sibilants or their
// contrast.
bool hasSibilant(const WordEntry& word) {
    return (word.SoundCode & WordBits::SoundMask) != 0;
}

} // namespace

TFormLusterko::TFormLusterko(const CDisplay& display, const std::vector<WordEntry>& words,
                             QString scaleFile)
    : TherapistForm(display, Title(), QColor(0xF6, 0xC6, 0xE0), QStringLiteral("Lusterko")),
      m_display(display), m_scaleFile(std::move(scaleFile)), m_stream(Rate) {
    for (const WordEntry& word : words)
        if (hasSibilant(word))
            m_words.push_back(&word);

    const auto [x0, y0, w, h, small, text] = PlayArea();
    const int m = 20;

    auto* aid = Label(this,
                      QStringLiteral("Lusterko pomaga ćwiczyć głoski. To nie jest badanie "
                                     "wymowy."),
                      Font(small ? 11 : 13));
    aid->setGeometry(BesideTitle());

    const int scaleTop = y0 + (small ? 48 : 58);
    const int scaleHeight = small ? 230 : 300;
    m_scale = new MirrorScale(picture("waz"), picture("kurczak"), picture("wiatr"),
                              picture("gwiazda"), this);
    m_scale->setGeometry(x0 + m, scaleTop, w - 2 * m, scaleHeight);

    // The therapist's row: which sound is practised, where the scale comes from.
    auto* row = new QWidget(this);
    row->setGeometry(x0 + m, scaleTop + scaleHeight + 4, w - 2 * m, small ? 30 : 36);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(Label(row, QStringLiteral("Ćwiczymy:"), Font(text, true)));
    const Sibilant sounds[] = {Sibilant::S, Sibilant::Si, Sibilant::Sz};
    for (int i = 0; i < 3; ++i) {
        m_targets[i] = new QPushButton(ScaleEnds::Name(sounds[i]), row);
        m_targets[i]->setCheckable(true);
        m_targets[i]->setFont(Font(text + 2, true));
        m_targets[i]->setFocusPolicy(Qt::NoFocus);
        m_targets[i]->setMinimumWidth(small ? 44 : 56);
        connect(m_targets[i], &QPushButton::clicked, this,
                [this, sound = sounds[i]] { A_Cel(sound); });
        line->addWidget(m_targets[i]);
    }
    line->addSpacing(16);
    m_scaleText = Label(row, QString(), Font(small ? 11 : 13));
    line->addWidget(m_scaleText, 1);
    auto calibrate = [&](const QString& caption, auto action) {
        auto* button = new QPushButton(caption, row);
        button->setFont(Font(small ? 11 : 13, true));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, action);
        line->addWidget(button);
    };
    calibrate(QStringLiteral("Najlepsze s"), [this] { A_Skala(Sibilant::S); });
    calibrate(QStringLiteral("Najlepsze sz"), [this] { A_Skala(Sibilant::Sz); });
    calibrate(QStringLiteral("Skala domyślna"), [this] { A_SkalaDomyslna(); });

    m_status = Label(this, QString(), Font(text, true));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_status->setGeometry(x0 + m, row->geometry().bottom() + 4, w - 2 * m, small ? 36 : 42);

    // The word: chosen, said, and shown beside its model.
    const int wordsTop = m_status->geometry().bottom() + 4;
    const int wordsBottom = y0 + h - 76;
    auto* chooser = new QWidget(this);
    chooser->setGeometry(x0 + m, wordsTop, small ? 170 : 210, wordsBottom - wordsTop);
    auto* column = new QVBoxLayout(chooser);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(Label(chooser, QStringLiteral("Wyraz:"), Font(text, true)));
    m_word = new QComboBox(chooser);
    m_word->setFont(Font(text));
    m_word->setFocusPolicy(Qt::NoFocus);
    m_word->setMaxVisibleItems(16);
    for (const WordEntry* word : m_words)
        m_word->addItem(word->plainWord());
    column->addWidget(m_word);
    auto* say = new QPushButton(QStringLiteral("Nagraj wyraz (spacja)"), chooser);
    say->setFont(Font(text, true));
    say->setFocusPolicy(Qt::NoFocus);
    say->setMinimumHeight(small ? 34 : 40);
    connect(say, &QPushButton::clicked, this, [this] { A_NagrajWyraz(); });
    column->addWidget(say);
    column->addStretch(1);
    const int viewsLeft = chooser->geometry().right() + 12;
    const int viewWidth = (x0 + w - m - 90 - viewsLeft - 12) / 2;
    m_childWord = new WordView(QStringLiteral("Dziecko"), this);
    m_childWord->setGeometry(viewsLeft, wordsTop, viewWidth, wordsBottom - wordsTop + 60);
    m_modelWord = new WordView(QStringLiteral("Wzorzec"), this);
    m_modelWord->setGeometry(viewsLeft + viewWidth + 12, wordsTop, viewWidth,
                             wordsBottom - wordsTop + 60);

    m_capture = CaptureSource::Microphone(Rate, kListenLimit);
    A_Cel(Sibilant::Sz);
    setEnds(ScaleEnds::ChildDefaults(), false);
}

TFormLusterko::~TFormLusterko() {
    stopListening();
}

QString TFormLusterko::StatusText() const {
    return m_status->text();
}

void TFormLusterko::setStatus(const QString& text) {
    m_status->setText(text);
}

void TFormLusterko::setEnds(const ScaleEnds& ends, bool own) {
    m_ends = ends;
    m_stream.setEnds(ends);
    m_scaleText->setText(QStringLiteral("Skala %1: s %2 Hz, sz %3 Hz")
                             .arg(own ? QStringLiteral("dziecka") : QStringLiteral("domyślna"))
                             .arg(qRound(ends.sHz()))
                             .arg(qRound(ends.szHz())));
}

void TFormLusterko::A_Cel(Sibilant target) {
    m_coach.SetTarget(target);
    for (int i = 0; i < 3; ++i)
        m_targets[i]->setChecked(i == int(target));
    m_scale->Show(m_coach);
    setStatus(QStringLiteral("Powiedz długo „%1”.").arg(ScaleEnds::Name(target)));
}

void TFormLusterko::startListening() {
    if (m_listening)
        return;
    m_stream.reset();
    m_coach.Reset();
    m_toldDeaf = false;
    m_listening = m_capture.start && m_capture.start([this] { onSamples(); });
    if (!m_listening)
        setStatus(QStringLiteral("Nie znaleziono mikrofonu. Podłącz mikrofon i otwórz lusterko "
                                 "jeszcze raz."));
}

void TFormLusterko::stopListening() {
    if (m_listening && m_capture.stop)
        m_capture.stop();
    m_listening = false;
    m_take = Take::None;
}

void TFormLusterko::onSamples() {
    if (!m_listening)
        return;
    const std::vector<short> samples = m_capture.take();
    if (samples.empty())
        return;
    if (m_take != Take::None) {
        const std::size_t room = std::size_t(Rate) * TakeMs / 1000 -
                                 std::min(m_taken.size(), std::size_t(Rate) * TakeMs / 1000);
        m_taken.insert(m_taken.end(), samples.begin(),
                       samples.begin() + std::ptrdiff_t(std::min(room, samples.size())));
        if (m_taken.size() >= std::size_t(Rate) * TakeMs / 1000)
            endTake();
    }
    const bool earned = m_coach.Take(m_stream.push(samples));
    m_scale->Show(m_coach);
    if (earned)
        setStatus(
            QStringLiteral("Brawo! Gwiazdka za „%1”.").arg(ScaleEnds::Name(m_coach.Target())));
    if (m_coach.Deaf() && !m_toldDeaf) {
        m_toldDeaf = true;
        setStatus(QStringLiteral("Mikrofon nic nie słyszy. Sprawdź, czy jest podłączony i "
                                 "włączony."));
    }
}

void TFormLusterko::beginTake(Take kind, const QString& prompt) {
    if (!m_listening) {
        setStatus(QStringLiteral("Nie znaleziono mikrofonu. Podłącz mikrofon i otwórz lusterko "
                                 "jeszcze raz."));
        return;
    }
    m_take = kind;
    m_taken.clear();
    m_taken.reserve(std::size_t(Rate) * TakeMs / 1000);
    setStatus(prompt);
}

void TFormLusterko::A_NagrajWyraz() {
    if (m_take != Take::None || m_word->currentIndex() < 0)
        return;
    beginTake(Take::Word, QStringLiteral("Powiedz: %1").arg(m_word->currentText()));
}

void TFormLusterko::A_Skala(Sibilant end) {
    if (m_take != Take::None || end == Sibilant::Si)
        return;
    beginTake(end == Sibilant::S ? Take::S : Take::Sz,
              QStringLiteral("Powiedz najlepsze, długie „%1”.").arg(ScaleEnds::Name(end)));
}

void TFormLusterko::A_SkalaDomyslna() {
    m_sTake.clear();
    if (!m_scaleFile.isEmpty())
        QFile::remove(m_scaleFile);
    setEnds(ScaleEnds::ChildDefaults(), false);
    setStatus(QStringLiteral("Skala domyślna dla dzieci."));
}

void TFormLusterko::endTake() {
    const Take kind = std::exchange(m_take, Take::None);
    std::vector<short> taken = std::exchange(m_taken, {});
    if (kind == Take::Word) {
        m_childWord->ShowTake(taken, Rate, m_ends);
        const WordEntry* word = m_words.at(std::size_t(m_word->currentIndex()));
        // The model as the games say it: the therapist's own recording, else the pack's.
        // The pack's voice is an adult's, placed on the scale measured on the pack; the own
        // recording on the scale in use, which the therapist may have set with that voice.
        std::optional<std::vector<short>> model = loadWaveSamples(OwnVoice::WordFile(word->Key));
        const ScaleEnds modelEnds = model ? m_ends : ScaleEnds::PackVoice();
        if (!model)
            model = loadWaveSamples(CSlowa::SoundPathOf(word->Key));
        m_modelWord->ShowTake(model ? *model : std::vector<short>(), kModelRate, modelEnds);
        setStatus(m_childWord->Segments().empty()
                      ? QStringLiteral("W nagraniu nie słychać żadnej głoski szumiącej ani "
                                       "syczącej.")
                      : QStringLiteral("Tak brzmią głoski w wyrazie „%1”.").arg(word->plainWord()));
        return;
    }
    if (kind == Take::S) {
        m_sTake = std::move(taken);
        setStatus(QStringLiteral("Mam „s”. Teraz najlepsze „sz”."));
        return;
    }
    if (m_sTake.empty()) {
        setStatus(QStringLiteral("Najpierw najlepsze „s”, potem „sz”."));
        return;
    }
    const Calibration::Result result = Calibration::FromTakes(m_sTake, Rate, taken, Rate);
    m_sTake.clear();
    if (!result.ends) {
        setStatus(result.problem == Calibration::Problem::TooClose
                      ? QStringLiteral("„s” i „sz” brzmiały zbyt podobnie. Spróbuj jeszcze raz.")
                      : QStringLiteral("Nie słychać głoski. Nagraj „s” i „sz” jeszcze raz, "
                                       "dłużej i głośniej."));
        return;
    }
    setEnds(*result.ends, true);
    if (!m_scaleFile.isEmpty() && !MirrorScaleFile::Save(m_scaleFile, *result.ends)) {
        setStatus(QStringLiteral("Skala ustawiona, ale nie udało się jej zapisać."));
        return;
    }
    setStatus(QStringLiteral("Skala ustawiona dla tego dziecka."));
}

bool TFormLusterko::keyPressed(char16_t ch) {
    if (ch == u' ') {
        A_NagrajWyraz();
        return true;
    }
    return TherapistForm::keyPressed(ch);
}

void TFormLusterko::showEvent(QShowEvent* event) {
    TherapistForm::showEvent(event);
    const std::optional<ScaleEnds> own =
        m_scaleFile.isEmpty() ? std::nullopt : MirrorScaleFile::Load(m_scaleFile);
    setEnds(own.value_or(ScaleEnds::ChildDefaults()), own.has_value());
    A_Cel(m_coach.Target());
    startListening();
}

void TFormLusterko::hideEvent(QHideEvent* event) {
    // The microphone is held only while the mirror is open.
    stopListening();
    TherapistForm::hideEvent(event);
}
