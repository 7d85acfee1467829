#include "sdlaudio.h"

#include <SDL.h>

SdlAudio::SdlAudio() {
    // SDL would otherwise take over SIGINT and SIGTERM, and the program would not stop on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

SdlAudio::~SdlAudio() {
    if (m_started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}
