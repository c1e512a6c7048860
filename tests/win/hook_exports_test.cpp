// The hook library's export table and the results of its calls in every order, bound through
// the ordinal-only import library as the lock program binds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>

#include "kivpx.h"

namespace {

class HookLibrary : public ::testing::Test {
protected:
    // Every test starts and ends without a hook, whatever an earlier one left behind.
    void SetUp() override
    {
        while (IsHooking())
            EndKivHook();
    }
    void TearDown() override { SetUp(); }
};

TEST_F(HookLibrary, NamesAndOrdinalsNameTheSameExports)
{
    const HMODULE library = GetModuleHandleA("KivPx.dll");
    ASSERT_NE(library, nullptr) << "bound at load time through the import table";
    const struct {
        WORD ordinal;
        const char* name;
    } exports[] = {{1, "SetKivel"}, {2, "IsHooking"}, {3, "StartKivHook"}, {4, "EndKivHook"}};
    for (const auto& item : exports) {
        const FARPROC by_ordinal = GetProcAddress(library, MAKEINTRESOURCEA(item.ordinal));
        EXPECT_NE(by_ordinal, nullptr) << item.name;
        EXPECT_EQ(GetProcAddress(library, item.name), by_ordinal) << item.name;
    }
    EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(5)), nullptr);
}

TEST_F(HookLibrary, ResultsInEveryOrder)
{
    const struct {
        const char* name;
        int(WINAPI* call)();
        int result;
        int hooking_after;
    } calls[] = {
        {"end before any start", EndKivHook, 0, 0},
        {"start", StartKivHook, 1, 1},
        {"start while hooked keeps the one hook", StartKivHook, 1, 1},
        {"end", EndKivHook, 1, 0},
        {"end again", EndKivHook, 0, 0},
        {"start after end", StartKivHook, 1, 1},
        {"end after restart", EndKivHook, 1, 0},
    };
    for (const auto& call : calls) {
        EXPECT_EQ(call.call(), call.result) << call.name;
        EXPECT_EQ(IsHooking(), call.hooking_after) << call.name;
    }
}

TEST_F(HookLibrary, SetKivelOnlyStores)
{
    for (const int value : {0, 1, -1, INT_MIN, INT_MAX, 0x00010020}) {
        EXPECT_EQ(SetKivel(value), 0) << value;
        EXPECT_EQ(IsHooking(), 0) << value;
    }
    ASSERT_EQ(StartKivHook(), 1);
    EXPECT_EQ(SetKivel(0), 0);
    EXPECT_EQ(IsHooking(), 1) << "storing a value leaves the hook alone";
}

} // namespace
