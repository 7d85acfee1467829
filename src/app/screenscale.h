#pragma once

#include <QSize>
#include <QStringList>
#include <memory>
#include <optional>

class XScreenMeasure;

// On a screen larger than the big variant, the whole program is enlarged uniformly so that its
// play area becomes the largest 4:3 area that fits, centred. The enlargement is Qt's own
// device-independent scaling, chosen from the primary screen before the application object
// exists: every window, label, field and message box then grows together, events arrive in the
// program's own coordinates, and the screen variant is chosen on the enlarged (logical) screen.
// Canvases, raster operations and hit tests never see the factor.
class ScreenScale {
public:
    // Turns the enlargement off: the command-line option, or the environment variable set to
    // anything but "" or "0".
    static constexpr const char* NoScaleOption = "--no-scale";
    static constexpr const char* NoScaleVariable = "WIKLOTEK_NO_SCALE";

    // How much a screen of this logical size is enlarged: 1 up to 1024 x 768 in either
    // direction, otherwise the factor at which 1024 x 768 just fills it.
    static double FactorFor(QSize screen);
    // False when the option or the variable asks for the program's unscaled look.
    static bool IsWanted(const QStringList& arguments);

    // Whether the application object will run on X, from -platform, QT_QPA_PLATFORM and the
    // session type, as the toolkit chooses; the X display named by -display (empty: DISPLAY).
    static bool RunsOnX(const QStringList& arguments);
    static QByteArray DisplayName(const QStringList& arguments);

    // Before the application object: measures the primary screen and sets Qt's scale factor for
    // the application object, multiplied into any factor the user set. Nothing happens when
    // scaling is not wanted or the screen needs none. measured: a connection to the X server
    // already made (by the display check), kept as the measurement's own; may be null.
    static ScreenScale ChooseBeforeApplication(const QStringList& arguments, int argc, char** argv,
                                               std::unique_ptr<XScreenMeasure> measured);
    static ScreenScale ChooseBeforeApplication(const QStringList& arguments, int argc, char** argv);
    // After the application object exists: puts the environment back as it was, so that
    // programs started from here (a browser opened by the about window) are not enlarged, and
    // lets go of the X connection the measurement kept open.
    void AfterApplication();

    ScreenScale();
    ScreenScale(ScreenScale&&) noexcept;
    ~ScreenScale();

    // The factor this run added; 1 when it added none.
    double Factor() const { return m_factor; }
    // The primary screen as the application object will see it (enlarged or not); empty when
    // it was not measured on the X server (scaling not wanted, another window system).
    QSize LogicalScreen() const { return m_logicalScreen; }

private:
    double m_factor = 1.0;
    QSize m_logicalScreen;
    bool m_changedEnvironment = false;
    std::optional<QByteArray> m_previousValue;
    std::unique_ptr<XScreenMeasure> m_measure;
};
