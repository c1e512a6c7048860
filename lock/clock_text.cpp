// The clock text and its refresh rule.
#include "clock_text.h"

void format_clock_text(std::time_t when, char (&text)[CLOCK_TEXT_SIZE])
{
    // A time that localtime cannot express leaves an empty text rather than stale bytes.
    text[0] = '\0';
    if (const std::tm* local = std::localtime(&when))
        std::strftime(text, CLOCK_TEXT_SIZE, "%m/%d  %H:%M", local);
}

bool clock_is_due(std::time_t now, std::time_t last_refresh)
{
    return std::difftime(now, last_refresh) >= CLOCK_REFRESH_SECONDS;
}
