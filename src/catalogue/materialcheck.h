#pragma once

#include "custgry.h"

class CSlowa;

// Whether the catalogue holds enough words for a game with the given settings. The main window
// runs it before starting a game; it leaves the catalogue filtered by the settings it checked,
// which is the candidate list the game then draws from.
class MaterialCheck {
public:
    // Game kinds as stored in the statistics: never renumber.
    enum class Game { Labelling = 1, Memory = 2, Completing = 3, Falling = 4 };

    // Words the game needs: 4 × poziom for Memory, 5 × poziom for the others.
    static int RequiredWords(Game game, const CUstGry& settings);
    // The settings the catalogue is filtered with: masked to the stored bits, and for the
    // completing game with every chosen group's contrast sound added.
    static CUstGry FilterSettings(Game game, const CUstGry& settings);
    // Filters the catalogue and returns the number of matching words.
    static int MatchingWords(CSlowa& catalogue, Game game, const CUstGry& settings);
    // True when the matching words reach the required number.
    static bool HasEnough(CSlowa& catalogue, Game game, const CUstGry& settings);
};
