#include "cblad.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "form.h"
#include "randomgenerator.h"
#include "settingsstore.h"
#include "soundplayer.h"
#include "tfmkoniecgry.h"
#include "tfmmemory.h"
#include "tfmpodpisywanie.h"
#include "tfmspadajace.h"
#include "tfmuzupelnianie.h"
#include "tformkomunikat.h"
#include "tformoprogramie.h"
#include "widgetpictures.h"
#include "windowfixture.h"
#include "windowset.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

namespace {

// One window of the set: how the set makes it, and the pictures it says it reads.
struct SetWindow {
    const char* name;
    std::function<QStringList(const CDisplay&)> pictures;
    std::function<QWidget*(WindowSet&)> make;
};

const SetWindow kWindows[] = {
    {"Notice", TFormKomunikat::PictureFiles, [](WindowSet& set) { return &set.Notice(); }},
    {"Summary", TfmKoniecGry::PictureFiles, [](WindowSet& set) { return &set.Summary(); }},
    {"Labelling", TfmPodpisywanie::PictureFiles, [](WindowSet& set) { return set.Game(1); }},
    {"Memory", TfmMemory::PictureFiles, [](WindowSet& set) { return set.Game(2); }},
    {"Completing", TfmUzupelnianie::PictureFiles, [](WindowSet& set) { return set.Game(3); }},
    {"Falling", TfmSpadajace::PictureFiles, [](WindowSet& set) { return set.Game(4); }},
    {"About", TFormOProgramie::PictureFiles, [](WindowSet& set) { return &set.About(); }},
};

struct SetCase {
    const SetWindow* window;
    QSize screen;
};

// A program folder holding exactly the pictures the set lists, as plain pictures of the format
// each name promises, and the objects the windows are made with.
class WindowSetTest : public WindowTest, public testing::WithParamInterface<SetCase> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(path("Data/Bio")));
        for (const QString& file : setPictures()) {
            const char* format = file.endsWith(".xji")   ? "JPEG"
                                 : file.endsWith(".xbi") ? "BMP"
                                                         : "PNG";
            ASSERT_TRUE(patterned(QSize(70, 60), 30).save(path(file), format))
                << file.toStdString();
        }
        // Made here, in the program folder: the statistics file goes there.
        m_catalogue = std::make_unique<CSlowa>(m_random);
        m_statistics = std::make_unique<CStatRec>(1);
        m_settings = std::make_unique<SettingsStore>(path("Data/data.ini"));
    }

    CDisplay screen() const { return CDisplay(GetParam().screen); }
    QStringList setPictures() const { return WindowSet::PictureFiles(screen()); }

    // A program folder of its own holding the set's pictures but one, made current: the
    // picture library remembers every file it looked for by its full path, found or not.
    void enterFolderWithout(const QString& leftOut) {
        const QString folder = path("without/" + QString::number(++m_folders));
        for (const QString& file : setPictures()) {
            if (file == leftOut)
                continue;
            const QString to = folder + '/' + file;
            ASSERT_TRUE(QDir().mkpath(QFileInfo(to).path()));
            std::error_code error; // a link is enough: no picture is written to
            std::filesystem::create_hard_link(path(file).toStdString(), to.toStdString(), error);
            ASSERT_FALSE(error) << to.toStdString();
        }
        ASSERT_TRUE(QDir::setCurrent(folder));
    }

    std::unique_ptr<WindowSet> makeSet() {
        return std::make_unique<WindowSet>(m_display, *m_catalogue, *m_statistics, *m_settings,
                                           m_player, m_random, &m_main, ProgressSources{});
    }

    CDisplay m_display = screen();
    RandomGenerator m_random;
    std::unique_ptr<CSlowa> m_catalogue;
    std::unique_ptr<CStatRec> m_statistics;
    std::unique_ptr<SettingsStore> m_settings;
    SoundPlayer m_player;
    QWidget m_main;
    int m_folders = 0;
};

// A picture button's hover or pressed picture: the button reads it when first lit or pressed,
// and the start-up check has found it by then.
bool readWhenFirstShown(const QString& file) {
    const QString button = QFileInfo(file).completeBaseName().section('_', 0, -2);
    return ImageButtonLaterPictureFiles(button).contains(file);
}

TEST_P(WindowSetTest, TheListedPicturesAreAllTheWindowNeeds) {
    const SetWindow& window = *GetParam().window;
    const std::unique_ptr<WindowSet> set = makeSet();
    QWidget* made = nullptr;
    EXPECT_NO_THROW(made = window.make(*set));
    EXPECT_NE(made, nullptr);
    // Made once: asking again gives the same window.
    EXPECT_EQ(window.make(*set), made);
}

// Without any picture it lists the window is not made, but for those read when first shown.
TEST_P(WindowSetTest, EachListedPictureIsOneTheWindowCannotDoWithout) {
    const SetWindow& window = *GetParam().window;
    const QStringList files = window.pictures(m_display);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        enterFolderWithout(file);
        const std::unique_ptr<WindowSet> set = makeSet();
        try {
            window.make(*set);
            if (!readWhenFirstShown(file))
                ADD_FAILURE() << "made without " << file.toStdString();
        } catch (const CBlad& error) {
            EXPECT_EQ(error.ErrorCode, 1) << file.toStdString();
        }
    }
}

std::vector<SetCase> allCases() {
    std::vector<SetCase> cases;
    for (const SetWindow& window : kWindows)
        for (const QSize screen : {QSize(800, 600), QSize(1024, 768)})
            cases.push_back({&window, screen});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowSetTest, testing::ValuesIn(allCases()),
                         [](const testing::TestParamInfo<SetCase>& info) {
                             return std::string(info.param.window->name) +
                                    (info.param.screen.width() == 800 ? "Small" : "Big");
                         });

class WindowSetMaking : public WindowSetTest {};

TEST_P(WindowSetMaking, GameWindowsAreMadeOnlyWhenAskedFor) {
    const std::unique_ptr<WindowSet> set = makeSet();
    for (int tab = 1; tab <= 4; ++tab)
        EXPECT_FALSE(set->IsBuilt(tab)) << tab;
    set->Game(3);
    for (int tab = 1; tab <= 4; ++tab)
        EXPECT_EQ(set->IsBuilt(tab), tab == 3) << tab;
    EXPECT_EQ(set->Game(0), nullptr);
    EXPECT_EQ(set->Game(5), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Big, WindowSetMaking,
                         testing::Values(SetCase{&kWindows[0], QSize(1024, 768)}));

} // namespace
