// The lock program's window-free rules: the clock text and when it changes, the bar and clock
// geometry, the directory a program starts in, which passwords unlock, whether a copy runs,
// and the press held on the logo that opens the password dialog.
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "ansi_path.h"
#include "bar_geometry.h"
#include "clock_text.h"
#include "logo_hold.h"
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

TEST(PasswordCheck, EitherStoredPasswordExactlyTheBossFirst)
{
    const std::string long_password(255, 'p');
    constexpr auto BOSS = PasswordLevel::boss;
    constexpr auto FOLLOWER = PasswordLevel::follower;
    const struct {
        const char* boss;
        const char* follower;
        std::string entered;
        std::optional<PasswordLevel> level;
    } cases[] = {
        {"boss", "kid", "boss", BOSS},
        {"boss", "kid", "kid", FOLLOWER},
        {"same", "same", "same", BOSS},
        {"boss", "kid", "Boss", std::nullopt},
        {"boss", "kid", "bos", std::nullopt},
        {"boss", "kid", "boss ", std::nullopt},
        {"boss", "kid", "", std::nullopt},
        // Full-width "ｂ" is not "b".
        {"b", "kid", "\x82\x82", std::nullopt},
        {"", "kid", "", BOSS},
        {"boss", "", "", FOLLOWER},
        {long_password.c_str(), "kid", long_password, BOSS},
        {long_password.c_str(), "kid", long_password.substr(0, 254), std::nullopt},
    };
    for (const auto& c : cases) {
        Settings settings("unused");
        settings.boss_password = c.boss;
        settings.follower_password = c.follower;
        EXPECT_EQ(matching_level(c.entered, settings), c.level) << c.boss << " / " << c.follower << " / " << c.entered;
    }
}

// A press opens the dialog only where it began on the logo, still, for the whole time; a finger
// that trembles within the drag distance is still.
TEST(LogoHold, OpensOnlyWhenHeldStillOnTheLogo)
{
    constexpr std::uint64_t START = 5'000'000;
    constexpr std::uint64_t NOT_RELEASED = ~std::uint64_t{0};
    const DragDistance drag{4, 3};
    const struct {
        const char* name;
        ClientPoint pressed;
        ClientPoint path[2];
        std::uint64_t released_after_ms;
        bool opens;
    } cases[] = {
        {"held still", {40, 10}, {{40, 10}, {40, 10}}, NOT_RELEASED, true},
        {"trembling within the drag distance", {40, 10}, {{44, 7}, {36, 13}}, NOT_RELEASED, true},
        {"on the frame beside the logo", {-3, 22}, {{-3, 22}, {-3, 22}}, NOT_RELEASED, true},
        {"at the logo's last column", {LOGO_WIDTH - 1, 0}, {{LOGO_WIDTH - 1, 0}, {LOGO_WIDTH - 1, 0}}, NOT_RELEASED,
            true},
        {"released at 2 s", {40, 10}, {{40, 10}, {40, 10}}, 2000, false},
        {"moved beyond the drag distance across", {40, 10}, {{45, 10}, {45, 10}}, NOT_RELEASED, false},
        {"moved beyond the drag distance down", {40, 10}, {{40, 14}, {40, 14}}, NOT_RELEASED, false},
        {"moved away and back", {40, 10}, {{60, 10}, {40, 10}}, NOT_RELEASED, false},
        {"just right of the logo", {LOGO_WIDTH, 10}, {{LOGO_WIDTH, 10}, {LOGO_WIDTH, 10}}, NOT_RELEASED, false},
        {"elsewhere on the bar", {300, 10}, {{300, 10}, {300, 10}}, NOT_RELEASED, false},
    };
    for (const auto& c : cases) {
        LogoHold hold;
        EXPECT_EQ(hold.press(c.pressed, START), c.pressed.x < LOGO_WIDTH) << c.name;
        for (const ClientPoint& at : c.path)
            hold.move(at, drag);
        if (c.released_after_ms < LOGO_HOLD_MS)
            hold.end();
        EXPECT_FALSE(hold.due(START + LOGO_HOLD_MS - 1)) << c.name;
        EXPECT_EQ(hold.due(START + LOGO_HOLD_MS), c.opens) << c.name;
    }
}

TEST(LogoHold, RemainingTime)
{
    LogoHold hold;
    hold.press({10, 10}, 1000);
    EXPECT_EQ(hold.remaining_ms(1000), LOGO_HOLD_MS);
    EXPECT_EQ(hold.remaining_ms(2990), LOGO_HOLD_MS - 1990);
    EXPECT_EQ(hold.remaining_ms(1000 + LOGO_HOLD_MS + 5000), 0u);
    // A tick count from before the press counts as no time held.
    EXPECT_EQ(hold.remaining_ms(500), LOGO_HOLD_MS);
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
