#include "ButtonSound.h"

#include "SystemLibrary.h"

#include <mmsystem.h>

#include <cstring>

DWORD ButtonSoundFlags(bool fromModule, bool asynchronous)
{
    DWORD flags = (fromModule ? SND_RESOURCE : SND_FILENAME) | SND_NODEFAULT | SND_NOWAIT;
    if (asynchronous)
        flags |= SND_ASYNC;
    return flags;
}

void SetButtonSoundEntry(ButtonSound& entry, const char* sound, HMODULE module, bool asynchronous)
{
    std::memset(&entry, 0, sizeof entry);
    if (!sound)
        return;
    if (module) {
        entry.sound = sound;   // a resource name or a MAKEINTRESOURCE id of the module
        entry.module = module;
    } else {
        std::strncpy(entry.name, sound, sizeof entry.name - 1);
        entry.sound = entry.name;
    }
    entry.flags = ButtonSoundFlags(module != nullptr, asynchronous);
}

void PlayButtonSound(const ButtonSound& entry)
{
    if (!entry.sound)
        return;
    // winmm is not one of the system's known DLLs, and it costs the start-up a good
    // part of a dialog's: it is loaded from the system folder at the first sound and
    // kept until the process ends, since an asynchronous sound plays on after the call.
    static const auto play =
        AfxGetProcedure<decltype(&::PlaySoundA)>(AfxLoadSystemLibrary("winmm.dll"), "PlaySoundA");
    if (play)
        play(entry.sound, entry.module, entry.flags);
}

CButtonSounds::CButtonSounds()
{
    SetButtonSoundEntry(m_hover, nullptr, nullptr, false);
    SetButtonSoundEntry(m_click, nullptr, nullptr, false);
}

void CButtonSounds::Set(const char* sound, HMODULE module, bool onClick, bool asynchronous)
{
    SetButtonSoundEntry(onClick ? m_click : m_hover, sound, module, asynchronous);
}
