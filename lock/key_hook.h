// The locked station's low-level keyboard hook: it keeps the Windows keys and the Esc
// combinations from the system (see escape_keys.h). It runs on the thread that installs it,
// which must pump messages, so no library is needed.
#pragma once

#include <windows.h>

#include "scoped_handles.h"

class KeyHook {
public:
    // Installs the hook; nothing happens when it is installed already.
    void install();
    // Windows removes a low-level hook that once answered too slowly, silently and with no
    // way to ask whether it did. So instead of guessing, a fresh hook replaces the old one:
    // installed first, so that there is no moment without one.
    void renew();
    void remove();
    // The next keystroke finds no Windows key held; safe from any thread.
    void forget_held_keys();
    bool installed() const { return static_cast<bool>(hook_); }
    HHOOK handle() const { return hook_.get(); }

private:
    OwnedHook hook_;
};
