// Bar and clock geometry.
#include "bar_geometry.h"

BarRect bar_rect(const BarMetrics& metrics)
{
    const int height = metrics.small_icon_height + 2 * (metrics.edge_height + metrics.frame_height);
    return {0, metrics.screen_height - height, metrics.screen_width, height};
}

int clock_font_height(int client_height)
{
    return static_cast<int>(client_height * 0.7);
}

TextOrigin clock_text_origin(int client_width, int client_height, int text_width, int text_height)
{
    return {client_width - text_width - CLOCK_RIGHT_MARGIN, client_height - text_height};
}
