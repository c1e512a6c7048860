// The locked station's keystroke rule, fed whole key sequences, and the accessibility flags
// it keeps while locked.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "escape_keys.h"
#include "hot_key_flags.h"

namespace {

constexpr unsigned KEY_TAB = 0x09;
constexpr unsigned KEY_F4 = 0x73;
constexpr unsigned KEY_A = 'A';
constexpr unsigned KEY_R = 'R';
constexpr unsigned KEY_CONTROL = 0x11;

struct Step {
    unsigned key;
    bool up;
    bool alt; // in the flags only
    bool ctrl;
    bool swallowed;
};

constexpr Step down(unsigned key, bool swallowed)
{
    return {key, false, false, false, swallowed};
}
constexpr Step up(unsigned key, bool swallowed)
{
    return {key, true, false, false, swallowed};
}
constexpr Step with_alt(Step step)
{
    return {step.key, step.up, true, step.ctrl, step.swallowed};
}
constexpr Step with_ctrl(Step step)
{
    return {step.key, step.up, step.alt, true, step.swallowed};
}

TEST(EscapeKeys, SwallowsOnlyTheEscapeRoutes)
{
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"typing", {down(KEY_A, false), up(KEY_A, false)}},
        {"Esc alone cancels a dialog", {down(KEY_ESCAPE, false), up(KEY_ESCAPE, false)}},
        {"left Windows key", {down(KEY_LEFT_WIN, true), up(KEY_LEFT_WIN, true)}},
        {"right Windows key", {down(KEY_RIGHT_WIN, true), up(KEY_RIGHT_WIN, true)}},
        {"Windows+R and typing afterwards",
            {down(KEY_LEFT_WIN, true), down(KEY_R, true), up(KEY_R, true), up(KEY_LEFT_WIN, true), down(KEY_R, false)}},
        {"Windows+Esc", {down(KEY_RIGHT_WIN, true), down(KEY_ESCAPE, true), up(KEY_RIGHT_WIN, true)}},
        {"one Windows key still held",
            {down(KEY_LEFT_WIN, true), down(KEY_RIGHT_WIN, true), up(KEY_RIGHT_WIN, true), down(KEY_A, true),
                up(KEY_LEFT_WIN, true), down(KEY_A, false)}},
        {"Ctrl+Esc and Ctrl+Shift+Esc",
            {down(KEY_CONTROL, false), with_ctrl(down(KEY_ESCAPE, true)), with_ctrl(up(KEY_ESCAPE, true)),
                with_ctrl(up(KEY_CONTROL, false))}},
        {"Alt+Esc", {with_alt(down(KEY_ESCAPE, true)), with_alt(up(KEY_ESCAPE, true))}},
        {"Alt+Tab", {with_alt(down(KEY_TAB, false)), with_alt(up(KEY_TAB, false))}},
        {"Alt+F4", {with_alt(down(KEY_F4, false))}},
        {"Ctrl+A", {with_ctrl(down(KEY_A, false))}},
        {"Print Screen", {down(KEY_SNAPSHOT, true), up(KEY_SNAPSHOT, true)}},
        {"browser keys", {down(KEY_BROWSER_FIRST, true), down(0xAA, true), down(KEY_BROWSER_LAST, true)}},
        {"mail, media and application keys",
            {down(KEY_LAUNCH_FIRST, true), down(0xB5, true), down(0xB6, true), down(KEY_LAUNCH_LAST, true)}},
        {"their neighbours", {down(0xA5, false), down(0xAD, false), down(0xB3, false), down(0xB8, false)}},
    };
    for (const auto& c : cases) {
        EscapeKeyFilter filter;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            const unsigned flags = (s.up ? KEY_FLAG_UP : 0) | (s.alt ? KEY_FLAG_ALT_DOWN : 0);
            EXPECT_EQ(filter.swallows({s.key, flags, s.ctrl, false, 0}), s.swallowed) << c.name << ", step " << i;
        }
    }
}

// Alt as the system's key state reports it counts like Alt in the flags.
TEST(EscapeKeys, AltFromTheKeyStateCounts)
{
    EscapeKeyFilter filter;
    EXPECT_TRUE(filter.swallows({KEY_ESCAPE, 0, false, true, 0}));
    EXPECT_FALSE(filter.swallows({KEY_TAB, 0, false, true, 0}));
}

// A lock that ended between a Windows key's press and its release must not leave the next
// one swallowing every key, the password's included.
TEST(EscapeKeys, ForgettingHeldKeysLetsTypingThrough)
{
    EscapeKeyFilter filter;
    EXPECT_TRUE(filter.swallows({KEY_LEFT_WIN, 0, false, false, 0}));
    EXPECT_TRUE(filter.swallows({KEY_A, 0, false, false, 0}));
    filter.forget_held_keys();
    EXPECT_FALSE(filter.swallows({KEY_A, 0, false, false, 0}));
}

// A Windows key whose release never came holds typing only until it has been quiet for a
// while; one held down repeats, and so stays held. Stamps as the hook gives them, wrap included.
TEST(EscapeKeys, AWindowsKeyQuietForLongIsTakenAsReleased)
{
    const struct {
        const char* name;
        std::uint32_t pressed;
        std::uint32_t repeated; // 0: no repeat
        std::uint32_t typed;
        bool swallowed;
    } cases[] = {
        {"soon after", 1000, 0, 1000 + WINDOWS_KEY_FORGET_MS - 1, true},
        {"quiet for long", 1000, 0, 1000 + WINDOWS_KEY_FORGET_MS, false},
        {"held and repeating", 1000, 5500, 1000 + WINDOWS_KEY_FORGET_MS + 100, true},
        {"across the wrap", 0xFFFFFF00u, 0, 0xFFFFFF00u + WINDOWS_KEY_FORGET_MS, false},
    };
    for (const auto& c : cases) {
        EscapeKeyFilter filter;
        EXPECT_TRUE(filter.swallows({KEY_RIGHT_WIN, 0, false, false, c.pressed})) << c.name;
        if (c.repeated)
            EXPECT_TRUE(filter.swallows({KEY_RIGHT_WIN, 0, false, false, c.repeated})) << c.name;
        EXPECT_EQ(filter.swallows({KEY_A, 0, false, false, c.typed}), c.swallowed) << c.name;
    }
}

TEST(HotKeyFlags, OnlyTheHotKeyAndItsConfirmationGo)
{
    const struct {
        unsigned before;
        unsigned after;
    } cases[] = {
        {0x0000007E, 0x00000072}, // Sticky Keys' usual defaults: available, sounds, indicator
        {0x0000000C, 0x00000000},
        {0x00000001, 0x00000001}, // a feature that is on stays on
        {0xFFFFFFFF, 0xFFFFFFF3},
        {0x00000000, 0x00000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(without_hot_key(c.before), c.after) << std::hex << c.before;
}

} // namespace
