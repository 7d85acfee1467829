#pragma once

class CDisplay;
class CSlowa;
class CStatRec;
class CUstGry;
class GameSummary;
class RandomGenerator;
class SoundPlayer;

// What every game window is given by the program: one bundle, so that a window's constructor
// does not grow with each collaborator. All are owned elsewhere and outlive the window.
struct GameServices {
    const CDisplay& display;
    CSlowa& catalogue;
    CStatRec& stats;
    // The settings of this game's tab.
    CUstGry& settings;
    SoundPlayer& player;
    RandomGenerator& random;
    GameSummary& summary;
};
