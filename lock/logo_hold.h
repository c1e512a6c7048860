// Holding a press on the bar's logo: the way to the password dialog on a station that has no
// keyboard, and so no Shift to hold with a right click. Where the press must start, how far it
// may wander and how long it must last; plain integer rules, no window.
#pragma once

#include <cstdint>

// Long enough that no tap or ordinary click opens the dialog by chance.
inline constexpr std::uint64_t LOGO_HOLD_MS = 3000;

// A point of the bar's client area. Its frame counts as client area, so a press there has a
// coordinate below zero.
struct ClientPoint {
    int x;
    int y;
};

// How far a pressed pointer may move before the system calls it a drag (SM_CXDRAG,
// SM_CYDRAG): that many pixels to either side of where it went down.
struct DragDistance {
    int x;
    int y;
};

class LogoHold {
public:
    // The left button (or a finger, or a pen) went down at `at` on the bar. True when that is on
    // the logo and a hold begins, which the caller then times; anywhere else there is none.
    bool press(ClientPoint at, std::uint64_t now_ms);
    // The pressed pointer is at `at`. False once it has gone beyond the drag distance from
    // where it went down, which ends the hold.
    bool move(ClientPoint at, DragDistance drag);
    // Released, or the press taken by another window.
    void end() { holding_ = false; }
    bool holding() const { return holding_; }
    // True once a hold has lasted long enough to open the dialog.
    bool due(std::uint64_t now_ms) const { return holding_ && remaining_ms(now_ms) == 0; }
    // How much longer the hold must last; 0 once it is due.
    std::uint64_t remaining_ms(std::uint64_t now_ms) const;

private:
    bool holding_ = false;
    ClientPoint pressed_at_{};
    std::uint64_t pressed_ms_ = 0;
};
