// What the clock on the bar reads and when it changes; plain time arithmetic, no window.
#pragma once

#include <cstddef>
#include <ctime>

// Room for the text "MM/DD  HH:MM" and its terminating zero, with some to spare.
inline constexpr std::size_t CLOCK_TEXT_SIZE = 30;
// The text is made anew once this much time has passed since it was last made, not at
// minute boundaries: with a check every few seconds the minute shown may lag a little.
inline constexpr double CLOCK_REFRESH_SECONDS = 60.0;

// Month, day, hour and minute of `when` in local time, always 12 characters.
void format_clock_text(std::time_t when, char (&text)[CLOCK_TEXT_SIZE]);

// Whether a text made at `last_refresh` is due to be made again at `now`. A clock set back
// keeps the old text until it passes `last_refresh` again by the full interval.
bool clock_is_due(std::time_t now, std::time_t last_refresh);
