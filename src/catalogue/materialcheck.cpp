#include "materialcheck.h"

#include "cslowa.h"
#include "wordbits.h"

int MaterialCheck::RequiredWords(Game game, const CUstGry& settings) {
    const int perLevel = game == Game::Memory ? 4 : 5;
    return perLevel * settings.poziom;
}

CUstGry MaterialCheck::FilterSettings(Game game, const CUstGry& settings) {
    CUstGry copy = settings;
    copy.pozycja &= WordBits::PositionMask;
    copy.gloski &= WordBits::SoundPartMask;
    if (game == Game::Completing)
        copy.AddPartnerSounds();
    return copy;
}

int MaterialCheck::MatchingWords(CSlowa& catalogue, Game game, const CUstGry& settings) {
    const CUstGry filter = FilterSettings(game, settings);
    catalogue.Filter(filter.pozycja, filter.gloski);
    return catalogue.CandidateCount();
}

bool MaterialCheck::HasEnough(CSlowa& catalogue, Game game, const CUstGry& settings) {
    return MatchingWords(catalogue, game, settings) >= RequiredWords(game, settings);
}
