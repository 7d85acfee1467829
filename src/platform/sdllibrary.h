#pragma once

#include <SDL.h>

// The functions of SDL the program uses, taken from the library when sound is first needed
// rather than when the program starts: SDL and the sound, codec and window-system libraries it
// pulls in are some thirty libraries, and loading them is then done on the thread that opens
// the sound device instead of before the first window.
struct SdlLibrary {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&SDL_LockAudioDevice) LockAudioDevice;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT;
    decltype(&SDL_ConvertAudio) ConvertAudio;

    // The library, loaded by the first caller on any thread (the others wait for it); null when
    // it or one of these functions is missing, which leaves the program without sound.
    static const SdlLibrary* Get();
};
