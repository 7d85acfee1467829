#pragma once

#include "childroster.h"

#include <QDialog>
#include <optional>

class CDisplay;
class QGridLayout;

// "Kto ćwiczy?": the profiles as big picture tiles a child can tap, over the whole screen;
// a small button lets the therapist add, rename and remove children. exec() returns Accepted
// with Chosen() set when a tile was tapped; Escape keeps the profile as it was.
class TFormKtoCwiczy : public QDialog {
    Q_OBJECT
public:
    static QString Title() { return QStringLiteral("Kto ćwiczy?"); }

    // current: the profile practising now, its tile marked; none at start-up.
    TFormKtoCwiczy(const CDisplay& display, ChildRoster& roster,
                   std::optional<ChildRoster::Profile> current, QWidget* parent = nullptr);

    const std::optional<ChildRoster::Profile>& Chosen() const { return m_chosen; }
    // The tiles shown, in order (the guest first).
    const std::vector<ChildRoster::Profile>& Shown() const { return m_shown; }
    // Taps the tile of a profile, as the child would.
    void Choose(std::size_t index);
    // The therapist's roster; the tiles follow its changes.
    void ManageChildren();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fillTiles();

    const CDisplay& m_display;
    ChildRoster& m_roster;
    std::optional<ChildRoster::Profile> m_current;
    std::optional<ChildRoster::Profile> m_chosen;
    std::vector<ChildRoster::Profile> m_shown;
    QGridLayout* m_tiles = nullptr;
};
