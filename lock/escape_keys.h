// Which keystrokes the locked station keeps from the system: the Windows keys and everything
// pressed with them, the Esc combinations that open the Start menu, Task Manager or switch
// windows behind the user's back, and the keys with which the hidden but running shell opens
// a program of its own. Plain integer rules, no window.
#pragma once

#include <cstdint>

// Virtual-key codes and low-level keyboard hook flags with the values Windows gives them, so
// that the rule builds and is tested without the Windows headers.
inline constexpr unsigned KEY_ESCAPE = 0x1B;
inline constexpr unsigned KEY_LEFT_WIN = 0x5B;
inline constexpr unsigned KEY_RIGHT_WIN = 0x5C;
// Print Screen (a screenshot tool with a Save As dialog), the browser keys from Back to Home,
// and the mail, media and application keys of multimedia keyboards.
inline constexpr unsigned KEY_SNAPSHOT = 0x2C;
inline constexpr unsigned KEY_BROWSER_FIRST = 0xA6;
inline constexpr unsigned KEY_BROWSER_LAST = 0xAC;
inline constexpr unsigned KEY_LAUNCH_FIRST = 0xB4;
inline constexpr unsigned KEY_LAUNCH_LAST = 0xB7;
inline constexpr unsigned KEY_FLAG_ALT_DOWN = 0x20;
inline constexpr unsigned KEY_FLAG_UP = 0x80;
// A Windows key whose release went elsewhere (to the secure desktop, to an elevated window)
// is taken as released once no Windows-key event has come for this long: a held key repeats.
inline constexpr std::uint32_t WINDOWS_KEY_FORGET_MS = 5000;

struct KeyEvent {
    unsigned virtual_key;
    unsigned flags; // as the low-level hook reports them: Alt held, key released, ...
    // As the system sees them when the key arrives. Alt is in the flags too, but not for
    // every kind of synthesised input.
    bool ctrl_down;
    bool alt_down;
    std::uint32_t time; // milliseconds, as the low-level hook stamps it
};

class EscapeKeyFilter {
public:
    // True when the event must not reach the system. A swallowed Windows key never shows up
    // in the system's key state, so whether one is held is tracked here, from the events.
    bool swallows(const KeyEvent& event);
    // A new lock and the password dialog start with no Windows key held: an earlier lock may
    // have ended between a press and its release, and a key wrongly taken as held would
    // swallow every keystroke, the password's included.
    void forget_held_keys();

private:
    bool left_win_down_ = false;
    bool right_win_down_ = false;
    std::uint32_t last_win_time_ = 0;
};
