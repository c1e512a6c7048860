// Where the bar and the things on it go, computed from the system's metrics; plain
// arithmetic, no window.
#pragma once

// Client-area layout, left to right: the logo, a gap, the launcher buttons, free space,
// and the clock, which ends a little before the right edge and sits on the bottom edge.
inline constexpr int LOGO_WIDTH = 80;
inline constexpr int LOGO_HEIGHT = 25;
inline constexpr int BUTTON_LEFT = LOGO_WIDTH + 5;
inline constexpr int BUTTON_WIDTH = 130;
inline constexpr int CLOCK_RIGHT_MARGIN = 10;

// The metrics the bar's height is made of, as GetSystemMetrics reports them.
struct BarMetrics {
    int edge_height; // SM_CYEDGE
    int frame_height; // SM_CYFRAME
    int small_icon_height; // SM_CYSMICON
    int screen_width; // SM_CXSCREEN
    int screen_height; // SM_CYSCREEN
};

struct BarRect {
    int x;
    int y;
    int width;
    int height;
};

// A small icon with one 3-D edge and one sizing frame above and below it, across the whole
// screen and flush with its bottom edge.
BarRect bar_rect(const BarMetrics& metrics);

// The clock's font fills seven tenths of the client height, truncated.
int clock_font_height(int client_height);

struct TextOrigin {
    int x;
    int y;
};

// Top-left corner of a clock text of the given extent in a client area of the given size.
TextOrigin clock_text_origin(int client_width, int client_height, int text_width, int text_height);
