// The word models' window offscreen in both screen variants, with a microphone and a player of
// the test's own: a take recorded by keys, heard cleaned, kept and moved past; again, delete,
// no microphone and a silent one; the filter without own recordings.
#include "../menu/menufixture.h"

#include "cslowa.h"
#include "randomgenerator.h"
#include "tformwzorce.h"

#include <QListView>
#include <QTest>
#include <cmath>

namespace {

// 0.5 s of a loud tone between quiet stretches, as a microphone would give it in pieces.
std::vector<short> spokenWord() {
    std::vector<short> s(22050 * 3 / 2, 0);
    for (std::size_t i = 7000; i < 18000; ++i)
        s[i] = short(8000 * std::sin(0.08 * double(i)));
    return s;
}

class TFormWzorceTest : public MenuWindowTest {
protected:
    void SetUp() override {
        MenuWindowTest::SetUp();
        m_display = std::make_unique<CDisplay>(display());
        m_window = std::make_unique<TFormWzorce>(*m_display, m_words.Words(), path("Wzorce"));
        m_window->SetCapture({[this](std::function<void()> ready) {
                                  m_ready = std::move(ready);
                                  return m_microphone;
                              },
                              [this] { m_ready = {}; },
                              [this] { return std::exchange(m_waiting, {}); }});
        m_window->SetPlayback({[this](std::vector<short> samples) {
                                   m_played.push_back(std::move(samples));
                                   return unsigned(m_played.size());
                               },
                               [](unsigned) {}});
        show(*m_window);
    }
    void key(Qt::Key k) { QTest::keyClick(m_window->findChild<QListView*>(), k); }
    // The microphone hands over a word in three pieces.
    void speak() {
        const std::vector<short> word = spokenWord();
        const std::size_t third = word.size() / 3;
        for (int i = 0; i < 3; ++i) {
            m_waiting.assign(word.begin() + std::ptrdiff_t(i * third),
                             word.begin() + std::ptrdiff_t((i + 1) * third));
            ASSERT_TRUE(m_ready);
            m_ready();
        }
    }
    QString nameAt(int row) { return m_window->List().At(row).name; }

    RandomGenerator m_random;
    CSlowa m_words{m_random};
    std::unique_ptr<CDisplay> m_display;
    std::unique_ptr<TFormWzorce> m_window;
    std::function<void()> m_ready;
    std::vector<short> m_waiting;
    std::vector<std::vector<short>> m_played;
    bool m_microphone = true;
};

TEST_P(TFormWzorceTest, SpaceRecordsEnterKeepsAndMovesOn) {
    EXPECT_TRUE(m_window->geometry().contains(QRect(QPoint(0, 0), GetParam())));
    ASSERT_EQ(m_window->CurrentRow(), 0);
    key(Qt::Key_Space);
    EXPECT_EQ(m_window->Session().state(), TakeSession::State::Recording);
    speak();
    EXPECT_GT(m_window->MeterLevel(), -60);
    key(Qt::Key_Space);
    ASSERT_EQ(m_window->Session().state(), TakeSession::State::Ready);
    // The take is heard as it will be kept: cut round the word.
    ASSERT_EQ(m_played.size(), 1u);
    EXPECT_LT(m_played[0].size(), spokenWord().size());
    EXPECT_EQ(m_played[0].size(), m_window->Session().Take().samples.size());
    EXPECT_TRUE(m_window->WarningText().isEmpty());

    const QString first = nameAt(0);
    key(Qt::Key_Return);
    EXPECT_TRUE(m_window->Store().Has(first));
    EXPECT_EQ(m_window->CurrentRow(), 1);
    EXPECT_EQ(m_window->Session().state(), TakeSession::State::Idle);

    // P plays the model in use: the own one just kept.
    m_window->SelectRow(0);
    key(Qt::Key_P);
    ASSERT_EQ(m_played.size(), 2u);
    EXPECT_EQ(m_played[1], *m_window->Store().Load(first));

    // Backspace drops a take and records again; delete goes back to the program's recording.
    key(Qt::Key_Space);
    speak();
    key(Qt::Key_Space);
    key(Qt::Key_Backspace);
    EXPECT_EQ(m_window->Session().state(), TakeSession::State::Recording);
    key(Qt::Key_Space);
    m_window->A_Usun();
    EXPECT_FALSE(m_window->Store().Has(first));
    EXPECT_EQ(m_window->CurrentRow(), 0);
}

TEST_P(TFormWzorceTest, WithoutOwnRecordingsTheKeptWordLeavesTheList) {
    m_window->SetFilter({ModelList::Kind::Words, 0, 0, true});
    const int before = m_window->List().Count();
    const QString second = nameAt(1);
    key(Qt::Key_Space);
    speak();
    key(Qt::Key_Return); // ends the take and keeps it at once
    EXPECT_EQ(m_window->List().Count(), before - 1);
    EXPECT_EQ(nameAt(m_window->CurrentRow()), second);
    // Phrases are a list of their own.
    m_window->SetFilter({ModelList::Kind::Phrases, 0, 0, false});
    EXPECT_EQ(m_window->List().Count(), 87);
    EXPECT_EQ(nameAt(m_window->CurrentRow()), "g00");
}

TEST_P(TFormWzorceTest, NoMicrophoneOrNoSoundIsSaidAndNothingIsKept) {
    m_microphone = false;
    key(Qt::Key_Space);
    EXPECT_EQ(m_window->Session().state(), TakeSession::State::Idle);
    EXPECT_TRUE(m_window->StatusText().startsWith("Nie znaleziono mikrofonu."));
    m_microphone = true;
    key(Qt::Key_Space);
    key(Qt::Key_Space); // ended before a single sample came
    EXPECT_EQ(m_window->Session().state(), TakeSession::State::Idle);
    EXPECT_TRUE(m_window->StatusText().startsWith("Mikrofon nic nie nagrał."));
    key(Qt::Key_Return);
    EXPECT_FALSE(m_window->Store().Has(nameAt(0)));
    EXPECT_EQ(m_window->CurrentRow(), 1);
    EXPECT_TRUE(m_played.empty());
    // A microphone giving only digital silence has given nothing; a take with nothing to hear
    // in it is not kept.
    const struct {
        const char* name;
        short level;
        const char* said;
    } takes[] = {{"zeros", 0, "Mikrofon nic nie nagrał."}, {"a whisper", 40, "Tego nagrania"}};
    for (const auto& t : takes) {
        SCOPED_TRACE(t.name);
        key(Qt::Key_Space);
        m_waiting.assign(22050, t.level);
        m_ready();
        key(Qt::Key_Space);
        EXPECT_TRUE(m_window->StatusText().startsWith(t.said));
    }
    EXPECT_EQ(m_window->WarningText(), "Nagranie jest za ciche.");
    key(Qt::Key_Return);
    EXPECT_FALSE(m_window->Store().Has(nameAt(1)));
    EXPECT_EQ(m_window->CurrentRow(), 1);
}

INSTANTIATE_TEST_SUITE_P(Screens, TFormWzorceTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768)), screenName);

} // namespace
