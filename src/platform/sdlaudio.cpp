#include "sdlaudio.h"

#include "sdllibrary.h"

#include <mutex>

namespace {

// SDL counts the starts of a subsystem but does not guard the count: the playback device is
// opened on a thread of its own while the GUI thread may start capture.
std::mutex& startLock() {
    static std::mutex lock;
    return lock;
}

} // namespace

SdlAudio::SdlAudio() {
    const SdlLibrary* sdl = SdlLibrary::Get();
    if (!sdl)
        return;
    const std::lock_guard lock(startLock());
    // SDL would otherwise take over SIGINT and SIGTERM, and the program would not stop on them.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_started = sdl->InitSubSystem(SDL_INIT_AUDIO) == 0;
}

SdlAudio::~SdlAudio() {
    if (m_started) {
        const std::lock_guard lock(startLock());
        SdlLibrary::Get()->QuitSubSystem(SDL_INIT_AUDIO);
    }
}
