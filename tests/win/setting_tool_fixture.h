// What the tests of the settings tool as a process share: setting.exe in a directory of its own
// with a crafted kiv2.bin, logged into and accepted as its user would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "setting_driver.h"
#include "settings.h"
#include "test_files.h"

inline constexpr char TEXT_OPEN_FAILED[] =
    "Kivel2用設定データファイル「kiv2.bin」の\nオープンに失敗しました。ソフトウエアを終了します。";
inline constexpr char TEXT_BOSS[] = "親方権限でアクセス可能です。\n（設定データを変更できます）";
inline constexpr char TEXT_FOLLOWER[] = "子分権限でアクセス可能です。\n（設定データの閲覧のみ可能です）";
inline constexpr char TEXT_WRONG_PASSWORD[] = "不正なパスワードです。\nソフトウエアを終了します。";
inline constexpr char TEXT_SAVE_FAILED[] = "Kivel2用設定データの保存に失敗しました。";
inline constexpr char TEXT_NO_NEW_PASSWORD[] = "新パスワードが設定されていません。";
inline constexpr char TEXT_MISSING[] = "データの入力漏れがあります。\n表示文字、起動するソフトの両方を設定してください。";
inline constexpr char TEXT_SELECT[] = "項目を選択してください。";
inline constexpr char TEXT_MAIN_INCOMPLETE[] =
    "メインソフトウエアの設定が不十分です。\nこの機能を使用しない場合は、チェックを外してください。";
inline constexpr char TEXT_LIST_FULL[] = "登録ソフトウエアは255項目までです。\nこれ以上追加できません。";
inline constexpr char TEXT_SEPARATOR_ROW[] = "****** 区切り線 ******";
static_assert(sizeof TEXT_SEPARATOR_ROW - 1 == 22, "texts must be compiled to code page 932");

// Controls of the main dialog
inline constexpr int MAIN_PROGRAM = 1002, BROWSE_MAIN = 1003, BOSS_PASSWORD = 1004, FOLLOWER_PASSWORD = 1005,
              BROWSE_PROGRAM = 1007, LABEL = 1008, PROGRAM = 1009, ADD = 1010, OVERWRITE = 1011, DELETE_ROW = 1012,
              UP = 1013, SEPARATOR = 1014, DOWN = 1015, ACCEPT = 1016, MAIN_LABEL = 1017, MAIN_SOFTWARE = 1019,
              LOCK_AT_STARTUP = 1020, LIST = 1006;
// Controls of the password dialog
inline constexpr int NEW_PASSWORD = 1013, CURRENT_PASSWORD = 1015;

using Fill = std::function<void(Settings&)>;

class SettingToolTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::string file = dir.path() + "\\kiv2.bin";

    void write_file(const Fill& fill) const
    {
        Settings settings(file);
        fill(settings);
        ASSERT_TRUE(settings.save());
    }

    // The bytes that the settings store writes for the record that `fill` makes.
    static Bytes file_bytes(const Fill& fill)
    {
        TempDir other;
        Settings settings(other.path() + "\\kiv2.bin");
        fill(settings);
        EXPECT_TRUE(settings.save());
        return read_bytes(other / "kiv2.bin");
    }

    // Logs in as the boss of a file that `fill` made.
    HWND open_as_boss(SettingTool& tool, const std::string& password = "tovi")
    {
        Message notice;
        const HWND dialog = tool.log_in(password, &notice);
        EXPECT_EQ(notice.text, TEXT_BOSS);
        return dialog;
    }

    // Presses "設定" and waits for the tool to end.
    static void accept(SettingTool& tool, HWND dialog)
    {
        tool.click(dialog, ACCEPT);
        EXPECT_TRUE(tool.ended());
    }
};

// Types an entry into the edits and presses the button `id`.
inline auto type_and_click(const char* label, const char* program, int id)
{
    return [=](SettingTool& tool, HWND dialog) {
        tool.type(dialog, LABEL, label);
        tool.type(dialog, PROGRAM, program);
        tool.click(dialog, id);
    };
}
