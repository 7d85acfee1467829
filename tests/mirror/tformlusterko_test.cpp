// The mirror's window offscreen in both screen variants, fed by a microphone of the test's own:
// the ball's side, a star, a word with its sibilant placed, a child's scale kept and dropped,
// and no microphone.
#include "../menu/menufixture.h"

#include "cslowa.h"
#include "mirrorscale.h"
#include "mirrorscalefile.h"
#include "randomgenerator.h"
#include "tformlusterko.h"
#include "wordview.h"

#include <cmath>
#include <random>

namespace {

// A held sibilant: white noise through a resonator at the centre frequency, at 44.1 kHz.
std::vector<short> held(double centreHz, double seconds) {
    std::mt19937 random{unsigned(centreHz)};
    std::normal_distribution<double> white(0, 1);
    const double r = 0.97, theta = 2 * M_PI * centreHz / TFormLusterko::Rate;
    double y1 = 0, y2 = 0;
    std::vector<short> s;
    for (int i = 0; i < int(seconds * TFormLusterko::Rate); ++i) {
        const double y = white(random) + 2 * r * std::cos(theta) * y1 - r * r * y2;
        y2 = y1;
        y1 = y;
        s.push_back(short(std::clamp(y * 300, -32000.0, 32000.0)));
    }
    return s;
}

class TFormLusterkoTest : public MenuWindowTest {
protected:
    void SetUp() override {
        MenuWindowTest::SetUp();
        m_display = std::make_unique<CDisplay>(display());
        m_window = std::make_unique<TFormLusterko>(*m_display, m_words.Words(), scaleFile());
        m_window->SetCapture({[this](std::function<void()> ready) {
                                  m_ready = std::move(ready);
                                  return m_microphone;
                              },
                              [this] { m_ready = {}; },
                              [this] { return std::exchange(m_waiting, {}); }});
    }
    QString scaleFile() const { return path(MirrorScaleFile::FileName()); }
    // The microphone gives the samples in blocks of 1024, as the device does.
    void hear(const std::vector<short>& samples) {
        for (std::size_t at = 0; at < samples.size(); at += 1024) {
            m_waiting.assign(samples.begin() + std::ptrdiff_t(at),
                             samples.begin() + std::ptrdiff_t(std::min(at + 1024, samples.size())));
            ASSERT_TRUE(m_ready);
            m_ready();
        }
    }

    RandomGenerator m_random;
    CSlowa m_words{m_random};
    std::unique_ptr<CDisplay> m_display;
    std::unique_ptr<TFormLusterko> m_window;
    std::function<void()> m_ready;
    std::vector<short> m_waiting;
    bool m_microphone = true;
};

TEST_P(TFormLusterkoTest, TheBallFollowsTheSoundAndAHeldSzEarnsAStar) {
    show(*m_window);
    ASSERT_TRUE(m_window->Listening());
    hear(held(4300, 1.5));
    ASSERT_TRUE(m_window->Coach().Indicator());
    EXPECT_GT(*m_window->Coach().Indicator(), ScaleEnds::SzAbove);
    EXPECT_EQ(m_window->Coach().Stars(), 1);
    EXPECT_TRUE(m_window->StatusText().startsWith("Brawo!"));
    hear(std::vector<short>(TFormLusterko::Rate / 2, 0));
    EXPECT_FALSE(m_window->Coach().Indicator());
    hear(held(7800, 0.6));
    EXPECT_LT(*m_window->Coach().Indicator(), ScaleEnds::SBelow);
    EXPECT_EQ(m_window->Coach().Stars(), 1) << "an s is no sz";

    // A word: the child's take analysed on the same scale.
    m_window->A_NagrajWyraz();
    std::vector<short> word(TFormLusterko::Rate / 2, 0);
    const std::vector<short> sz = held(4300, 0.4);
    word.insert(word.end(), sz.begin(), sz.end());
    word.resize(std::size_t(TFormLusterko::Rate) * TFormLusterko::TakeMs / 1000, 0);
    hear(word);
    ASSERT_EQ(m_window->ChildWord().Segments().size(), 1u);
    EXPECT_EQ(m_window->ChildWord().Segments()[0].verdict, Sibilant::Sz);
    EXPECT_NEAR(m_window->ChildWord().Segments()[0].startMs, 500, 30);
}

TEST_P(TFormLusterkoTest, AChildsScaleIsKeptAndDropped) {
    show(*m_window);
    const std::size_t take = std::size_t(TFormLusterko::Rate) * TFormLusterko::TakeMs / 1000;
    m_window->A_Skala(Sibilant::S);
    std::vector<short> s = held(8400, 1.5);
    s.resize(take, 0);
    hear(s);
    m_window->A_Skala(Sibilant::Sz);
    std::vector<short> sz = held(5200, 1.5);
    sz.resize(take, 0);
    hear(sz);
    EXPECT_EQ(m_window->StatusText(), "Skala ustawiona dla tego dziecka.");
    EXPECT_NEAR(m_window->Ends().sHz(), 8400, 420);
    EXPECT_NEAR(m_window->Ends().szHz(), 5200, 260);
    const std::optional<ScaleEnds> kept = MirrorScaleFile::Load(scaleFile());
    ASSERT_TRUE(kept);
    EXPECT_NEAR(kept->sHz(), m_window->Ends().sHz(), 1);
    // Shown again, the window reads the child's scale.
    m_window->hide();
    show(*m_window);
    EXPECT_NEAR(m_window->Ends().szHz(), kept->szHz(), 1);
    m_window->A_SkalaDomyslna();
    EXPECT_FALSE(QFile::exists(scaleFile()));
    EXPECT_EQ(m_window->Ends(), ScaleEnds::ChildDefaults());
}

TEST_P(TFormLusterkoTest, NoMicrophoneOrOnlyZerosIsSaid) {
    m_microphone = false;
    show(*m_window);
    EXPECT_FALSE(m_window->Listening());
    EXPECT_TRUE(m_window->StatusText().startsWith("Nie znaleziono mikrofonu."));
    m_window->hide();
    m_microphone = true;
    show(*m_window);
    hear(std::vector<short>(TFormLusterko::Rate * 4, 0));
    EXPECT_TRUE(m_window->StatusText().startsWith("Mikrofon nic nie słyszy."));
}

INSTANTIATE_TEST_SUITE_P(Screens, TFormLusterkoTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768)), screenName);

} // namespace
