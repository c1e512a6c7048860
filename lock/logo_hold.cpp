// The press-and-hold rule of the bar's logo.
#include "logo_hold.h"

#include <cstdlib>

#include "bar_geometry.h"

// A press reaches the bar only inside its window, so left of the logo's right edge is on the
// logo or on the frame beside and below it: where a finger aimed at the screen's corner lands.
bool LogoHold::press(ClientPoint at, std::uint64_t now_ms)
{
    holding_ = at.x < LOGO_WIDTH;
    pressed_at_ = at;
    pressed_ms_ = now_ms;
    return holding_;
}

bool LogoHold::move(ClientPoint at, DragDistance drag)
{
    if (std::abs(at.x - pressed_at_.x) > drag.x || std::abs(at.y - pressed_at_.y) > drag.y)
        holding_ = false;
    return holding_;
}

std::uint64_t LogoHold::remaining_ms(std::uint64_t now_ms) const
{
    const std::uint64_t held = now_ms > pressed_ms_ ? now_ms - pressed_ms_ : 0;
    return held >= LOGO_HOLD_MS ? 0 : LOGO_HOLD_MS - held;
}
