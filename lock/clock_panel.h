// The clock at the right end of the bar, and the logo at its left end.
#pragma once

#include <windows.h>

#include <ctime>

#include "clock_text.h"

class ClockPanel {
public:
    // The text of the time the program starts.
    ClockPanel();
    explicit ClockPanel(std::time_t start);
    ClockPanel(const ClockPanel&) = delete;
    ClockPanel& operator=(const ClockPanel&) = delete;
    virtual ~ClockPanel() = default;

    // True when the text changed and the bar needs repainting.
    bool tick();
    bool tick_at(std::time_t now);
    // Measures the text once in the bar's client area; every later text has the same
    // width, since all are 12 characters of a fixed-pitch font.
    void layout(HWND window, int width, int height);
    // The locked bar's face into any device context (a WM_PAINT's, a WM_PRINTCLIENT's): clock
    // text, then the logo stretched to the bar height.
    void paint(HDC dc) const;

    int text_x = 0;
    int text_y = 0;
    int bar_height = 0;
    std::time_t last_refresh;
    char text[CLOCK_TEXT_SIZE];
    int font_height = 0;
    // Where the logo comes from: the module of the window laid out.
    HINSTANCE instance = nullptr;
};
