#include "sdllibrary.h"

#include <dlfcn.h>
#include <mutex>

namespace {

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

const SdlLibrary* SdlLibrary::Get() {
    static SdlLibrary functions;
    static const SdlLibrary* loaded = []() -> const SdlLibrary* {
        // Never closed: the audio threads run SDL's code to the end of the program.
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return nullptr;
        SdlLibrary& f = functions;
        const bool complete =
            resolve(library, "SDL_SetHint", f.SetHint) &&
            resolve(library, "SDL_InitSubSystem", f.InitSubSystem) &&
            resolve(library, "SDL_QuitSubSystem", f.QuitSubSystem) &&
            resolve(library, "SDL_OpenAudioDevice", f.OpenAudioDevice) &&
            resolve(library, "SDL_CloseAudioDevice", f.CloseAudioDevice) &&
            resolve(library, "SDL_PauseAudioDevice", f.PauseAudioDevice) &&
            resolve(library, "SDL_GetAudioDeviceStatus", f.GetAudioDeviceStatus) &&
            resolve(library, "SDL_LockAudioDevice", f.LockAudioDevice) &&
            resolve(library, "SDL_UnlockAudioDevice", f.UnlockAudioDevice) &&
            resolve(library, "SDL_RWFromConstMem", f.RWFromConstMem) &&
            resolve(library, "SDL_LoadWAV_RW", f.LoadWAV_RW) &&
            resolve(library, "SDL_FreeWAV", f.FreeWAV) &&
            resolve(library, "SDL_BuildAudioCVT", f.BuildAudioCVT) &&
            resolve(library, "SDL_ConvertAudio", f.ConvertAudio);
        return complete ? &functions : nullptr;
    }();
    return loaded;
}
