// The accessibility features' hot keys (five Shift presses for Sticky Keys, a long right Shift
// for Filter Keys, a long Num Lock for Toggle Keys) open a dialog with a way into the system
// settings. While locked, only the hot keys and their confirmation go; a feature that is on
// stays on, for the user who needs it.
#pragma once

// The same two bits in the flags of STICKYKEYS, FILTERKEYS and TOGGLEKEYS: SKF_HOTKEYACTIVE,
// FKF_HOTKEYACTIVE, TKF_HOTKEYACTIVE and the three *_CONFIRMHOTKEY.
inline constexpr unsigned HOT_KEY_ACTIVE = 0x4;
inline constexpr unsigned HOT_KEY_CONFIRM = 0x8;

constexpr unsigned without_hot_key(unsigned flags)
{
    return flags & ~(HOT_KEY_ACTIVE | HOT_KEY_CONFIRM);
}
