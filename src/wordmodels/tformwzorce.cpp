#include "tformwzorce.h"

#include "audioinput.h"
#include "audiooutput.h"
#include "cslowa.h"
#include "levelmeter.h"
#include "mediafiles.h"
#include "modellistmodel.h"
#include "wavesamples.h"
#include "wordbits.h"
#include "wordentry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor WarningInk(0xB0, 0x20, 0x20);

QString keyHints() {
    return QStringLiteral("Spacja: nagraj / zakończ    Enter: zachowaj i dalej\n"
                          "Backspace: jeszcze raz    P: posłuchaj");
}

QString packPath(const ModelEntry& entry) {
    if (entry.isPhrase())
        return FeedbackSoundPath(entry.phraseKind, entry.name.mid(1).toInt());
    return CSlowa::SoundPathOf(entry.name);
}

// A big speech bubble for a phrase, which has no picture of its own.
QPixmap phrasePicture(int size, bool praise) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(TherapistForm::Ink, 4));
    p.setBrush(praise ? QColor(0x8E, 0xD8, 0x7A) : QColor(0xFF, 0xC0, 0x70));
    const QRectF body(8, size * 0.12, size - 16, size * 0.56);
    p.drawRoundedRect(body, size * 0.12, size * 0.12);
    const QPointF tail[] = {{size * 0.3, body.bottom() - 2},
                            {size * 0.22, size * 0.88},
                            {size * 0.46, body.bottom() - 2}};
    p.drawPolygon(tail, 3);
    p.setFont(TherapistForm::Font(size / 5, true));
    p.drawText(body, Qt::AlignCenter, praise ? QStringLiteral("Brawo!") : QStringLiteral("Ups!"));
    return pixmap;
}

} // namespace

TFormWzorce::TFormWzorce(const CDisplay& display, const std::vector<WordEntry>& words,
                         const QString& modelsFolder)
    : TherapistForm(display, Title(), QColor(0xFF, 0xD8, 0xA8), QStringLiteral("Wzorce")),
      m_display(display), m_catalogue(words), m_store(modelsFolder), m_list(m_catalogue, m_store) {
    const auto [x0, y0, w, h, small, text] = PlayArea();
    const int m = 20;

    m_counts = Label(this, QString(), Font(text));
    m_counts->setGeometry(BesideTitle());
    buildFilters(x0 + m, y0 + (small ? 50 : 58), w - 2 * m, text);

    const int top = y0 + (small ? 92 : 104);
    const int bottom = y0 + h - 76;
    const int listWidth = small ? 290 : 380;
    m_model = new ModelListModel(m_list, small ? 40 : 52, this);
    m_view = new QListView(this);
    m_view->setModel(m_model);
    m_view->setFont(Font(text));
    m_view->setIconSize(QSize(small ? 40 : 52, small ? 40 : 52));
    m_view->setUniformItemSizes(true);
    m_view->setSpacing(2);
    m_view->setGeometry(x0 + m, top, listWidth, bottom - top);
    m_view->installEventFilter(this);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { showChosen(); });

    // The chosen model: its picture and word, where its sound comes from, the meter, the keys.
    auto* side = new QWidget(this);
    const int sideLeft = x0 + m + listWidth + m;
    side->setGeometry(sideLeft, top, x0 + w - m - sideLeft, bottom - top);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(small ? 6 : 10);
    m_pictureSize = small ? 160 : 260;
    m_picture = new QLabel(side);
    m_picture->setFixedSize(m_pictureSize, m_pictureSize);
    m_picture->setAlignment(Qt::AlignCenter);
    column->addWidget(m_picture, 0, Qt::AlignHCenter);
    m_word = Label(side, QString(), Font(small ? 26 : 34, true));
    m_word->setAlignment(Qt::AlignCenter);
    column->addWidget(m_word);
    m_source = Label(side, QString(), Font(text));
    m_source->setAlignment(Qt::AlignCenter);
    column->addWidget(m_source);
    m_meter = new LevelMeter(side);
    m_meter->setFixedHeight(small ? 18 : 24);
    column->addWidget(m_meter);
    m_status = Label(side, QString(), Font(text, true));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    column->addWidget(m_status);
    m_warnings = Label(side, QString(), Font(text, true), WarningInk);
    m_warnings->setAlignment(Qt::AlignCenter);
    m_warnings->setWordWrap(true);
    column->addWidget(m_warnings);
    column->addStretch(1);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(8);
    m_record = new QPushButton(QStringLiteral("Nagraj (spacja)"), side);
    m_keep = new QPushButton(QStringLiteral("Zachowaj i dalej (Enter)"), side);
    m_again = new QPushButton(QStringLiteral("Jeszcze raz (Backspace)"), side);
    m_listen = new QPushButton(QStringLiteral("Posłuchaj (P)"), side);
    m_delete = new QPushButton(QStringLiteral("Usuń własne nagranie"), side);
    const std::pair<QPushButton*, void (TFormWzorce::*)()> actions[] = {
        {m_record, &TFormWzorce::A_Nagraj},
        {m_keep, &TFormWzorce::A_Zachowaj},
        {m_again, &TFormWzorce::A_JeszczeRaz},
        {m_listen, &TFormWzorce::A_Odtworz},
        {m_delete, &TFormWzorce::A_Usun}};
    for (const auto& [button, action] : actions) {
        button->setFont(Font(text, true));
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumHeight(small ? 30 : 36);
        connect(button, &QPushButton::clicked, this,
                [this, action = action] { (this->*action)(); });
    }
    buttons->addWidget(m_record, 0, 0);
    buttons->addWidget(m_listen, 0, 1);
    buttons->addWidget(m_keep, 1, 0);
    buttons->addWidget(m_again, 1, 1);
    buttons->addWidget(m_delete, 2, 0, 1, 2);
    column->addLayout(buttons);
    auto* hints = Label(side, keyHints(), Font(small ? 11 : 12));
    hints->setWordWrap(true);
    hints->setAlignment(Qt::AlignCenter);
    column->addWidget(hints);

    m_output = AudioOutput::shared();
    m_capture = CaptureSource::Microphone(TakeSession::Rate, TakeSession::LimitSamples);
    m_playback = {[output = m_output](std::vector<short> samples) {
                      return output->play(
                          std::make_shared<const std::vector<short>>(std::move(samples)));
                  },
                  [output = m_output](unsigned id) { output->stop(id); }};
    m_noSound.setSingleShot(true);
    m_noSound.setInterval(NoSoundTimeoutMs);
    connect(&m_noSound, &QTimer::timeout, this, [this] {
        if (m_session.state() == TakeSession::State::Recording && !m_session.HeardAnything())
            endTake();
    });

    reload({});
}

TFormWzorce::~TFormWzorce() {
    stopSound();
    if (m_session.state() == TakeSession::State::Recording && m_capture.stop)
        m_capture.stop();
}

void TFormWzorce::buildFilters(int x, int y, int width, int text) {
    auto* filters = new QWidget(this);
    filters->setGeometry(x, y, width, m_display.IsSmall() ? 30 : 34);
    auto* row = new QHBoxLayout(filters);
    row->setContentsMargins(0, 0, 0, 0);
    const QFont f = Font(text);
    auto combo = [&](const QStringList& items) {
        auto* box = new QComboBox(filters);
        box->setFont(f);
        box->addItems(items);
        box->setFocusPolicy(Qt::NoFocus);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
        return box;
    };
    m_kind = combo({QStringLiteral("Wyrazy"), QStringLiteral("Pochwały i zachęty")});
    m_group =
        combo({QStringLiteral("wszystkie głoski"), QStringLiteral("SZ i S"),
               QStringLiteral("Ż/RZ i Z"), QStringLiteral("CZ i C"), QStringLiteral("DŻ i DZ")});
    m_position = combo({QStringLiteral("wszystkie pozycje"), QStringLiteral("nagłos"),
                        QStringLiteral("śródgłos"), QStringLiteral("wygłos")});
    m_withoutOwn = new QCheckBox(QStringLiteral("bez własnego nagrania"), filters);
    m_withoutOwn->setFont(f);
    m_withoutOwn->setFocusPolicy(Qt::NoFocus);
    connect(m_withoutOwn, &QCheckBox::toggled, this, [this] { applyFilter(); });
    row->addWidget(m_kind, 2);
    row->addWidget(m_group, 2);
    row->addWidget(m_position, 2);
    row->addWidget(m_withoutOwn, 3);
}

void TFormWzorce::applyFilter() {
    static constexpr std::uint16_t Groups[] = {0, WordBits::Sz, WordBits::Zh, WordBits::Cz,
                                               WordBits::Dzh};
    static constexpr std::uint16_t Positions[] = {0, WordBits::Naglos, WordBits::Srodglos,
                                                  WordBits::Wyglos};
    ModelList::Filter filter;
    const bool words = m_kind->currentIndex() == 0;
    filter.kind = words ? ModelList::Kind::Words : ModelList::Kind::Phrases;
    filter.group = Groups[std::max(0, m_group->currentIndex())];
    filter.position = Positions[std::max(0, m_position->currentIndex())];
    filter.withoutOwnOnly = m_withoutOwn->isChecked();
    m_group->setEnabled(words);
    m_position->setEnabled(words);
    const ModelEntry* before = chosen();
    const QString name = before ? before->name : QString();
    m_list.SetFilter(filter);
    reload(name);
}

void TFormWzorce::SetFilter(const ModelList::Filter& filter) {
    const QSignalBlocker a(m_kind), b(m_group), c(m_position), d(m_withoutOwn);
    m_kind->setCurrentIndex(filter.kind == ModelList::Kind::Words ? 0 : 1);
    const std::uint16_t groups[] = {WordBits::Sz, WordBits::Zh, WordBits::Cz, WordBits::Dzh};
    const std::uint16_t positions[] = {WordBits::Naglos, WordBits::Srodglos, WordBits::Wyglos};
    m_group->setCurrentIndex(0);
    for (int i = 0; i < 4; ++i)
        if (filter.group == groups[i])
            m_group->setCurrentIndex(i + 1);
    m_position->setCurrentIndex(0);
    for (int i = 0; i < 3; ++i)
        if (filter.position == positions[i])
            m_position->setCurrentIndex(i + 1);
    m_withoutOwn->setChecked(filter.withoutOwnOnly);
    applyFilter();
}

void TFormWzorce::reload(const QString& select) {
    m_list.Refresh();
    m_model->Reload();
    int row = select.isEmpty() ? -1 : m_list.RowOf(select);
    if (row < 0 && m_list.Count() > 0)
        row = 0;
    SelectRow(row);
    updateCounts();
}

void TFormWzorce::updateCounts() {
    m_counts->setText(QStringLiteral("Własne nagrania: %1 z %2 wyrazów, %3 z %4 zwrotów")
                          .arg(m_list.OwnCount(ModelList::Kind::Words))
                          .arg(m_list.TotalCount(ModelList::Kind::Words))
                          .arg(m_list.OwnCount(ModelList::Kind::Phrases))
                          .arg(m_list.TotalCount(ModelList::Kind::Phrases)));
}

int TFormWzorce::CurrentRow() const {
    const QModelIndex index = m_view->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TFormWzorce::SelectRow(int row) {
    if (row >= 0 && row < m_list.Count()) {
        const QModelIndex index = m_model->index(row);
        m_view->setCurrentIndex(index);
        m_view->scrollTo(index);
    } else
        m_view->setCurrentIndex({});
    showChosen();
}

const ModelEntry* TFormWzorce::chosen() const {
    const int row = CurrentRow();
    return row >= 0 && row < m_list.Count() ? &m_list.At(row) : nullptr;
}

void TFormWzorce::showChosen() {
    // Another model: a take of the last one is dropped, as is its sound.
    stopSound();
    if (m_session.state() == TakeSession::State::Recording && m_capture.stop) {
        m_noSound.stop();
        m_capture.stop();
    }
    m_session.Discard();
    m_meter->SetLevel(-120);
    m_warnings->clear();
    const ModelEntry* entry = chosen();
    if (!entry) {
        m_picture->clear();
        m_word->setText(m_list.Count() ? QString() : QStringLiteral("Nic do nagrania"));
        m_source->clear();
        setStatus(m_withoutOwn->isChecked() && m_list.Count() == 0
                      ? QStringLiteral("Wszystkie mają już własne nagranie.")
                      : QString());
        updateButtons();
        return;
    }
    if (entry->isPhrase())
        m_picture->setPixmap(phrasePicture(m_pictureSize, entry->phraseKind == FeedbackPraise));
    else {
        const QImage picture =
            LoadOptionalJpeg(CSlowa::BigPicturePath(entry->name, QStringLiteral("_upb.xji")));
        m_picture->setPixmap(picture.isNull()
                                 ? QPixmap()
                                 : QPixmap::fromImage(picture.scaled(m_pictureSize, m_pictureSize,
                                                                     Qt::KeepAspectRatio,
                                                                     Qt::SmoothTransformation)));
    }
    m_word->setText(entry->text);
    m_source->setText(m_store.Has(entry->name) ? QStringLiteral("Gra mówi własnym nagraniem.")
                                               : QStringLiteral("Gra mówi głosem programu."));
    setStatus(QStringLiteral("Spacja zaczyna nagranie."));
    updateButtons();
}

void TFormWzorce::updateButtons() {
    const ModelEntry* entry = chosen();
    const TakeSession::State state = m_session.state();
    m_record->setText(state == TakeSession::State::Recording ? QStringLiteral("Zakończ (spacja)")
                                                             : QStringLiteral("Nagraj (spacja)"));
    m_record->setEnabled(entry != nullptr);
    m_keep->setEnabled(state == TakeSession::State::Ready &&
                       !m_session.Take().report.warnings.Unusable());
    m_again->setEnabled(entry != nullptr && state != TakeSession::State::Recording);
    m_listen->setEnabled(entry != nullptr && state != TakeSession::State::Recording);
    m_delete->setEnabled(entry != nullptr && state != TakeSession::State::Recording &&
                         m_store.Has(entry->name));
}

void TFormWzorce::setStatus(const QString& text) {
    m_status->setText(text);
}

QString TFormWzorce::StatusText() const {
    return m_status->text();
}

QString TFormWzorce::WarningText() const {
    return m_warnings->text();
}

double TFormWzorce::MeterLevel() const {
    return m_meter->Level();
}

void TFormWzorce::A_Nagraj() {
    if (!chosen())
        return;
    if (m_session.state() == TakeSession::State::Recording) {
        endTake();
        return;
    }
    stopSound();
    m_warnings->clear();
    m_session.Begin();
    if (!m_capture.start || !m_capture.start([this] { onSamples(); })) {
        m_session.Discard();
        setStatus(QStringLiteral("Nie znaleziono mikrofonu. Podłącz mikrofon i spróbuj jeszcze "
                                 "raz."));
        updateButtons();
        return;
    }
    m_noSound.start();
    setStatus(QStringLiteral("Nagrywanie… Powiedz wyraz, potem naciśnij spację."));
    updateButtons();
}

void TFormWzorce::onSamples() {
    if (m_session.state() != TakeSession::State::Recording)
        return;
    m_session.Add(m_capture.take());
    m_meter->SetLevel(m_session.LevelDb());
    if (m_session.LimitReached())
        endTake();
}

void TFormWzorce::endTake() {
    m_noSound.stop();
    if (m_capture.stop)
        m_capture.stop();
    if (m_capture.take)
        m_session.Add(m_capture.take());
    m_session.End();
    m_meter->SetLevel(-120);
    if (m_session.state() != TakeSession::State::Ready) {
        setStatus(QStringLiteral("Mikrofon nic nie nagrał. Sprawdź, czy jest podłączony i "
                                 "włączony."));
        updateButtons();
        return;
    }
    m_warnings->setText(m_session.WarningTexts().join(QLatin1Char(' ')));
    setStatus(m_session.Take().report.warnings.Unusable()
                  ? QStringLiteral("Tego nagrania nie można użyć. Backspace nagrywa jeszcze raz.")
                  : QStringLiteral("Posłuchaj. Enter zachowuje i przechodzi dalej, Backspace "
                                   "nagrywa jeszcze raz."));
    updateButtons();
    // The take as the games will play it: cut and levelled.
    play(std::vector<short>(m_session.Take().samples.begin(), m_session.Take().samples.end()));
}

void TFormWzorce::A_Zachowaj() {
    const ModelEntry* entry = chosen();
    if (!entry)
        return;
    if (m_session.state() == TakeSession::State::Recording)
        endTake();
    if (m_session.state() == TakeSession::State::Ready) {
        if (m_session.Take().report.warnings.Unusable())
            return;
        if (!m_store.Save(entry->name, m_session.Take().samples)) {
            setStatus(QStringLiteral("Nie zapisano nagrania: ") + m_store.LastError());
            return;
        }
    }
    // The next model: with "bez własnego nagrania" the kept one leaves the list, and the next
    // takes its row.
    const int row = CurrentRow();
    const QString kept = entry->name;
    m_list.Refresh();
    m_model->Reload();
    int next = m_list.RowOf(kept);
    next = next < 0 ? row : next + 1;
    updateCounts();
    SelectRow(std::min(next, m_list.Count() - 1));
    if (next >= m_list.Count())
        setStatus(QStringLiteral("To był ostatni wyraz na liście."));
}

void TFormWzorce::A_JeszczeRaz() {
    if (!chosen() || m_session.state() == TakeSession::State::Recording)
        return;
    stopSound();
    m_session.Discard();
    A_Nagraj();
}

void TFormWzorce::A_Odtworz() {
    const ModelEntry* entry = chosen();
    if (!entry || m_session.state() == TakeSession::State::Recording)
        return;
    if (m_session.state() == TakeSession::State::Ready)
        play(std::vector<short>(m_session.Take().samples.begin(), m_session.Take().samples.end()));
    else
        play(modelInUse(*entry));
}

void TFormWzorce::A_Usun() {
    const ModelEntry* entry = chosen();
    if (!entry || m_session.state() == TakeSession::State::Recording || !m_store.Has(entry->name))
        return;
    stopSound();
    if (!m_store.Remove(entry->name)) {
        setStatus(QStringLiteral("Nie usunięto nagrania: ") + m_store.LastError());
        return;
    }
    reload(entry->name);
    setStatus(QStringLiteral("Usunięto własne nagranie: gra znów mówi głosem programu."));
}

std::vector<short> TFormWzorce::modelInUse(const ModelEntry& entry) const {
    if (m_store.Has(entry.name))
        if (std::optional<std::vector<short>> own = m_store.Load(entry.name))
            return std::move(*own);
    return loadWaveSamples(packPath(entry)).value_or(std::vector<short>());
}

void TFormWzorce::play(std::vector<short> samples) {
    stopSound();
    if (!samples.empty() && m_playback.play)
        m_playing = m_playback.play(std::move(samples));
}

void TFormWzorce::stopSound() {
    if (m_playing && m_playback.stop)
        m_playback.stop(m_playing);
    m_playing = 0;
}

bool TFormWzorce::keyPressed(char16_t ch) {
    switch (ch) {
    case u' ':
        A_Nagraj();
        return true;
    case 13:
        A_Zachowaj();
        return true;
    case 8:
        A_JeszczeRaz();
        return true;
    case u'p':
    case u'P':
        A_Odtworz();
        return true;
    default:
        return TherapistForm::keyPressed(ch);
    }
}

bool TFormWzorce::eventFilter(QObject* watched, QEvent* event) {
    // The list keeps the keyboard for its arrows; the window's keys are taken before it sees
    // them (space would otherwise select, Enter activate).
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        if (!key->isAutoRepeat() || k != Qt::Key_Space) {
            char16_t ch = 0;
            if (k == Qt::Key_Space)
                ch = u' ';
            else if (k == Qt::Key_Return || k == Qt::Key_Enter)
                ch = 13;
            else if (k == Qt::Key_Backspace)
                ch = 8;
            else if (k == Qt::Key_P)
                ch = u'p';
            if (ch && keyPressed(ch))
                return true;
        } else
            return true; // a held space would start and stop takes without end
    }
    return TherapistForm::eventFilter(watched, event);
}

void TFormWzorce::showEvent(QShowEvent* event) {
    TherapistForm::showEvent(event);
    // Models may have come in by an import since the window was last open.
    const ModelEntry* entry = chosen();
    reload(entry ? entry->name : QString());
    m_view->setFocus();
}

void TFormWzorce::hideEvent(QHideEvent* event) {
    stopSound();
    if (m_session.state() == TakeSession::State::Recording) {
        m_noSound.stop();
        if (m_capture.stop)
            m_capture.stop();
    }
    m_session.Discard();
    TherapistForm::hideEvent(event);
}
