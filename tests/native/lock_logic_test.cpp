// The lock program's window-free rules: the clock text and when it changes, the bar and clock
// geometry, the directory a program starts in, which passwords unlock, and whether a copy runs.
#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <string>

#include "ansi_path.h"
#include "bar_geometry.h"
#include "clock_text.h"
#include "password_check.h"
#include "settings.h"
#include "single_instance.h"
#include "working_directory.h"

namespace {

std::time_t local_time(int year, int month, int day, int hour, int minute, int second)
{
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

std::string clock_text(std::time_t when)
{
    char text[CLOCK_TEXT_SIZE];
    format_clock_text(when, text);
    return text;
}

TEST(ClockText, IsMonthDayTwoSpacesHourMinute)
{
    const struct {
        std::time_t when;
        const char* text;
    } cases[] = {
        {local_time(2026, 3, 7, 9, 5, 0), "03/07  09:05"},
        {local_time(2026, 12, 31, 23, 59, 59), "12/31  23:59"},
        {local_time(2027, 1, 1, 0, 0, 0), "01/01  00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clock_text(c.when), c.text);
        EXPECT_EQ(clock_text(c.when).size(), 12u);
    }
}

// A check every five seconds from a start at 12:00:59: the text moves on a full minute after
// it was made, not at the minute boundary.
TEST(ClockText, ChangesAMinuteAfterItWasMade)
{
    const std::time_t start = local_time(2026, 12, 9, 12, 0, 59);
    std::time_t last_refresh = start;
    std::string shown = clock_text(start);
    std::time_t changed_at = 0;
    for (std::time_t now = start + 5; now <= start + 120 && !changed_at; now += 5) {
        if (clock_is_due(now, last_refresh)) {
            last_refresh = now;
            shown = clock_text(now);
            changed_at = now;
        } else {
            EXPECT_EQ(shown, "12/09  12:00") << "at " << now - start << " s";
        }
    }
    EXPECT_EQ(changed_at, local_time(2026, 12, 9, 12, 1, 59));
    EXPECT_EQ(shown, "12/09  12:01");
}

TEST(ClockText, DueRule)
{
    const std::time_t made = 1'000'000;
    EXPECT_FALSE(clock_is_due(made + 59, made));
    EXPECT_TRUE(clock_is_due(made + 60, made));
    EXPECT_TRUE(clock_is_due(made + 3600, made));
    // A clock set back leaves the text as it is.
    EXPECT_FALSE(clock_is_due(made - 3600, made));
}

TEST(BarGeometry, FollowsTheMetrics)
{
    const struct {
        BarMetrics metrics;
        BarRect bar;
    } cases[] = {
        {{2, 4, 16, 1024, 768}, {0, 740, 1024, 28}},
        {{2, 8, 24, 1920, 1080}, {0, 1036, 1920, 44}},
        {{0, 0, 0, 800, 600}, {0, 600, 800, 0}},
    };
    for (const auto& c : cases) {
        const BarRect bar = bar_rect(c.metrics);
        EXPECT_EQ(bar.x, c.bar.x);
        EXPECT_EQ(bar.y, c.bar.y);
        EXPECT_EQ(bar.width, c.bar.width);
        EXPECT_EQ(bar.height, c.bar.height);
    }
}

TEST(BarGeometry, ClockFontAndPosition)
{
    const struct {
        int client_height;
        int font_height;
    } fonts[] = {{20, 14}, {21, 14}, {22, 15}, {28, 19}, {1, 0}, {0, 0}};
    for (const auto& c : fonts)
        EXPECT_EQ(clock_font_height(c.client_height), c.font_height) << c.client_height;

    // The text ends 10 pixels before the right edge and sits on the bottom edge.
    const TextOrigin origin = clock_text_origin(1024, 20, 84, 14);
    EXPECT_EQ(origin.x + 84, 1024 - 10);
    EXPECT_EQ(origin.y + 14, 20);
}

TEST(WorkingDirectory, IsTheProgramsOwnDirectory)
{
    const struct {
        const char* program;
        std::optional<std::string> directory;
    } cases[] = {
        {"D:\\Tools\\app.exe", "D:\\Tools"},
        {"D:\\app.exe", "D:"},
        {"\\\\server\\share\\app.exe", "\\\\server\\share"},
        {"D:\\Tools\\", "D:\\Tools"},
        // "表" is 95 5C: its trail byte is no backslash.
        {"C:\\\x95\x5C\\app.exe", "C:\\\x95\x5C"},
        {"C:\\\x95\x5C.exe", "C:"},
        {"\x95\x5C.exe", std::nullopt},
        // A bare name is left for the shell to find, in no particular directory.
        {"notepad.exe", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(working_directory_for(c.program, is_cp932_lead_byte), c.directory) << c.program;
}

TEST(PasswordCheck, EitherStoredPasswordExactly)
{
    const std::string long_password(255, 'p');
    const struct {
        const char* boss;
        const char* follower;
        std::string entered;
        bool unlocks;
    } cases[] = {
        {"boss", "kid", "boss", true},
        {"boss", "kid", "kid", true},
        {"boss", "kid", "Boss", false},
        {"boss", "kid", "bos", false},
        {"boss", "kid", "boss ", false},
        {"boss", "kid", "", false},
        // Full-width "ｂ" is not "b".
        {"b", "kid", "\x82\x82", false},
        {"", "kid", "", true},
        {"boss", "", "", true},
        {long_password.c_str(), "kid", long_password, true},
        {long_password.c_str(), "kid", long_password.substr(0, 254), false},
    };
    for (const auto& c : cases) {
        Settings settings("unused");
        settings.boss_password = c.boss;
        settings.follower_password = c.follower;
        EXPECT_EQ(unlocks(c.entered, settings), c.unlocks) << c.boss << " / " << c.follower << " / " << c.entered;
    }
}

// A mutex that cannot be had is someone else's, as much as one that already exists.
TEST(SingleInstance, AnyMutexNotOursMeansAnotherCopy)
{
    constexpr unsigned long ACCESS_DENIED = 5;
    const struct {
        bool got_handle;
        unsigned long last_error;
        bool another;
    } cases[] = {
        {true, 0, false},
        {true, MUTEX_ALREADY_EXISTS, true},
        {false, ACCESS_DENIED, true},
        {false, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(another_copy_runs(c.got_handle, c.last_error), c.another) << c.got_handle << " " << c.last_error;
}

} // namespace
