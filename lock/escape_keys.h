// Which keystrokes the locked station keeps from the system: the Windows keys and everything
// pressed with them, and the Esc combinations that open the Start menu, Task Manager or
// switch windows behind the user's back. Plain integer rules, no window.
#pragma once

// Virtual-key codes and low-level keyboard hook flags with the values Windows gives them, so
// that the rule builds and is tested without the Windows headers.
inline constexpr unsigned KEY_ESCAPE = 0x1B;
inline constexpr unsigned KEY_LEFT_WIN = 0x5B;
inline constexpr unsigned KEY_RIGHT_WIN = 0x5C;
inline constexpr unsigned KEY_FLAG_ALT_DOWN = 0x20;
inline constexpr unsigned KEY_FLAG_UP = 0x80;

struct KeyEvent {
    unsigned virtual_key;
    unsigned flags; // as the low-level hook reports them: Alt held, key released, ...
    // As the system sees them when the key arrives. Alt is in the flags too, but not for
    // every kind of synthesised input.
    bool ctrl_down;
    bool alt_down;
};

class EscapeKeyFilter {
public:
    // True when the event must not reach the system. A swallowed Windows key never shows up
    // in the system's key state, so whether one is held is tracked here, from the events.
    bool swallows(const KeyEvent& event);
    // A new lock starts with no Windows key held: an earlier lock may have ended between a
    // press and its release, and a key wrongly taken as held would swallow every keystroke,
    // the password's included.
    void forget_held_keys();

private:
    bool left_win_down_ = false;
    bool right_win_down_ = false;
};
