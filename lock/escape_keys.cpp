// The keystroke rule of the locked station.
#include "escape_keys.h"

bool EscapeKeyFilter::swallows(const KeyEvent& event)
{
    const bool released = (event.flags & KEY_FLAG_UP) != 0;
    if (event.virtual_key == KEY_LEFT_WIN) {
        left_win_down_ = !released;
        return true;
    }
    if (event.virtual_key == KEY_RIGHT_WIN) {
        right_win_down_ = !released;
        return true;
    }
    if (left_win_down_ || right_win_down_)
        return true;
    // Ctrl+Esc and Ctrl+Shift+Esc alike; Alt+Esc. Esc alone still cancels dialogs.
    const bool alt_down = event.alt_down || (event.flags & KEY_FLAG_ALT_DOWN) != 0;
    return event.virtual_key == KEY_ESCAPE && (event.ctrl_down || alt_down);
}

void EscapeKeyFilter::forget_held_keys()
{
    left_win_down_ = false;
    right_win_down_ = false;
}
