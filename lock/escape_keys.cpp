// The keystroke rule of the locked station.
#include "escape_keys.h"

namespace {

constexpr bool opens_a_program(unsigned key)
{
    return key == KEY_SNAPSHOT || (key >= KEY_BROWSER_FIRST && key <= KEY_BROWSER_LAST) ||
        (key >= KEY_LAUNCH_FIRST && key <= KEY_LAUNCH_LAST);
}

} // namespace

bool EscapeKeyFilter::swallows(const KeyEvent& event)
{
    const bool released = (event.flags & KEY_FLAG_UP) != 0;
    // Unsigned arithmetic: the tick count wraps after 49 days.
    if ((left_win_down_ || right_win_down_) && event.time - last_win_time_ >= WINDOWS_KEY_FORGET_MS)
        forget_held_keys();
    if (event.virtual_key == KEY_LEFT_WIN || event.virtual_key == KEY_RIGHT_WIN) {
        (event.virtual_key == KEY_LEFT_WIN ? left_win_down_ : right_win_down_) = !released;
        last_win_time_ = event.time;
        return true;
    }
    if (left_win_down_ || right_win_down_ || opens_a_program(event.virtual_key))
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
