#pragma once
// A sound the skinned button plays on hover entry or on click: a file name (copied
// into the entry) or a resource of a module (the caller's pointer or id is kept).

#include <windows.h>

struct ButtonSound {
    char name[MAX_PATH];        // the copied file name
    const char* sound;          // what PlaySound receives; null when the entry is empty
    HMODULE module;             // null for a file name
    DWORD flags;                // PlaySound flags
};

// The PlaySound flags of an entry: SND_RESOURCE with a module, SND_FILENAME without,
// both with SND_NODEFAULT | SND_NOWAIT, and SND_ASYNC when asked.
DWORD ButtonSoundFlags(bool fromModule, bool asynchronous);

// Fills `entry`; a null `sound` empties it. A file name longer than MAX_PATH - 1
// characters is cut there.
void SetButtonSoundEntry(ButtonSound& entry, const char* sound, HMODULE module, bool asynchronous);

// Plays the entry when it holds a sound; an empty entry does nothing, and so does
// every entry when winmm cannot be loaded.
void PlayButtonSound(const ButtonSound& entry);

// The two sounds of a button: one on hover entry, one on click.
class CButtonSounds {
public:
    CButtonSounds();
    void Set(const char* sound, HMODULE module, bool onClick, bool asynchronous);
    void PlayOnHover() const { PlayButtonSound(m_hover); }
    void PlayOnClick() const { PlayButtonSound(m_click); }

private:
    ButtonSound m_hover;
    ButtonSound m_click;
};
