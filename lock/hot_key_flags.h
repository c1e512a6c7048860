// The accessibility features' hot keys (five Shift presses for Sticky Keys, a long right Shift
// for Filter Keys, a long Num Lock for Toggle Keys, Left Alt+Left Shift+Print Screen for High
// Contrast, Left Alt+Left Shift+Num Lock for Mouse Keys) open a dialog with a way into the
// system settings. While locked, only the hot keys and their confirmation go; a feature that is on
// stays on, for the user who needs it.
#pragma once

// The same two bits in the flags of STICKYKEYS, FILTERKEYS, TOGGLEKEYS, HIGHCONTRAST and
// MOUSEKEYS: SKF_, FKF_, TKF_, HCF_ and MKF_HOTKEYACTIVE and the five *_CONFIRMHOTKEY.
inline constexpr unsigned HOT_KEY_ACTIVE = 0x4;
inline constexpr unsigned HOT_KEY_CONFIRM = 0x8;

constexpr unsigned without_hot_key(unsigned flags)
{
    return flags & ~(HOT_KEY_ACTIVE | HOT_KEY_CONFIRM);
}
