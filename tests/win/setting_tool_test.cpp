// The settings tool as its user meets it: setting.exe in a directory of its own with a crafted
// kiv2.bin, driven from outside, its messages read from the boxes and its file compared whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scoped_handles.h"
#include "setting_tool_fixture.h"

namespace {

const SoftwareEntry NOTEPAD{0, "メモ帳", "C:\\windows\\notepad.exe"};
const SoftwareEntry CALC{0, "calc", "C:\\windows\\calc.exe"};

bool enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool has_style(HWND dialog, int id, LONG style)
{
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & style) == style;
}

bool checked(HWND dialog, int id)
{
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void press_key(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

TEST_F(SettingToolTest, WithoutAFileShowsString1AndNoLogin)
{
    // The caption is the base name of whatever the program file is called.
    for (const auto& [name, caption] : {std::pair{"setting.exe", "setting"}, std::pair{"kivset.exe", "kivset"}}) {
        SettingTool tool(dir.path(), name);
        const Message message = tool.answer_message();
        EXPECT_EQ(message.caption, caption);
        EXPECT_EQ(message.text, TEXT_OPEN_FAILED);
        EXPECT_TRUE(tool.ended());
        EXPECT_FALSE(tool.login_dialog());
    }
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

struct LoginEndCase {
    const char* name;
    std::function<void(SettingTool&, HWND login)> act;
    const char* message; // null: the tool ends silently
};

void enter(SettingTool& tool, HWND login, const char* password)
{
    tool.type(login, LOGIN_PASSWORD, password);
    tool.click(login, IDOK);
}

const LoginEndCase LOGIN_ENDS[] = {
    {"cancel button", [](SettingTool& tool, HWND login) { tool.click(login, IDCANCEL); }, nullptr},
    {"Esc", [](SettingTool&, HWND login) { press_key(GetDlgItem(login, LOGIN_PASSWORD), VK_ESCAPE); }, nullptr},
    {"close box", [](SettingTool&, HWND login) { PostMessageA(login, WM_SYSCOMMAND, SC_CLOSE, 0); }, nullptr},
    {"case differs", [](SettingTool& tool, HWND login) { enter(tool, login, "Tovi"); }, TEXT_WRONG_PASSWORD},
    {"full-width letters", [](SettingTool& tool, HWND login) { enter(tool, login, "ｔｏｖｉ"); }, TEXT_WRONG_PASSWORD},
    {"trailing blank", [](SettingTool& tool, HWND login) { enter(tool, login, "tovi "); }, TEXT_WRONG_PASSWORD},
    {"empty", [](SettingTool& tool, HWND login) { enter(tool, login, ""); }, TEXT_WRONG_PASSWORD},
};

TEST_F(SettingToolTest, LoginThatEndsTheToolWritesNothing)
{
    write_file([](Settings& s) { s.entries = {NOTEPAD}; });
    const Bytes before = read_bytes(file);
    for (const LoginEndCase& c : LOGIN_ENDS) {
        SettingTool tool(dir.path());
        HWND login = nullptr;
        ASSERT_TRUE(wait_until([&] { return (login = tool.login_dialog()) != nullptr; })) << c.name;
        EXPECT_EQ(window_text(login), SETTING_TITLE);
        EXPECT_TRUE(has_style(login, LOGIN_PASSWORD, ES_PASSWORD)) << c.name;
        c.act(tool, login);
        if (c.message) {
            EXPECT_EQ(tool.answer_message().text, c.message) << c.name;
        }
        // A message box left open would keep the tool running.
        EXPECT_TRUE(tool.ended()) << c.name;
        EXPECT_EQ(read_bytes(file), before) << c.name;
    }
    EXPECT_EQ(dir.names().size(), 2u); // the program and its file, no temporary left
}

struct LevelCase {
    const char* name;
    const char* boss;
    const char* follower;
    const char* entered;
    bool boss_level;
};

const LevelCase LEVELS[] = {
    {"boss", "oyakata", "kobun", "oyakata", true},
    {"follower", "oyakata", "kobun", "kobun", false},
    {"equal passwords give the boss", "same", "same", "same", true},
    {"empty stored follower password", "oyakata", "", "", false},
};

TEST_F(SettingToolTest, LoginGrantsTheLevelWithItsControlStates)
{
    const int data_controls[] = {BOSS_PASSWORD, FOLLOWER_PASSWORD, ADD, OVERWRITE, DELETE_ROW, UP, SEPARATOR, DOWN,
        ACCEPT, BROWSE_PROGRAM, MAIN_SOFTWARE};
    for (const LevelCase& c : LEVELS) {
        write_file([&](Settings& s) {
            s.boss_password = c.boss;
            s.follower_password = c.follower;
        });
        const Bytes before = read_bytes(file);
        SettingTool tool(dir.path());
        Message notice;
        const HWND dialog = tool.log_in(c.entered, &notice);
        ASSERT_TRUE(dialog) << c.name;
        EXPECT_EQ(notice.caption, "setting") << c.name;
        EXPECT_EQ(notice.text, c.boss_level ? TEXT_BOSS : TEXT_FOLLOWER) << c.name;
        EXPECT_EQ(window_text(dialog), SETTING_TITLE);

        for (const int id : data_controls)
            EXPECT_EQ(enabled(dialog, id), c.boss_level) << c.name << " " << id;
        for (const int id : {LABEL, PROGRAM, MAIN_PROGRAM, MAIN_LABEL})
            EXPECT_EQ(has_style(dialog, id, ES_READONLY), !c.boss_level) << c.name << " " << id;
        // No main program: its group is off for both levels.
        for (const int id : {MAIN_PROGRAM, MAIN_LABEL, BROWSE_MAIN})
            EXPECT_FALSE(enabled(dialog, id)) << c.name << " " << id;
        for (const int id : {LIST, LOCK_AT_STARTUP, IDCANCEL})
            EXPECT_TRUE(enabled(dialog, id)) << c.name << " " << id;

        // The dialog opens centred on the screen.
        RECT own;
        GetWindowRect(dialog, &own);
        EXPECT_NEAR(own.left + own.right, GetSystemMetrics(SM_CXSCREEN), 4) << c.name;

        tool.click(dialog, IDCANCEL);
        EXPECT_TRUE(tool.ended()) << c.name;
        EXPECT_EQ(read_bytes(file), before) << c.name;
    }
}

TEST_F(SettingToolTest, ShowsTheFileAndAcceptStopsOnAnOverlongText)
{
    const std::string long_label = "全角で九文字の表示名"; // 20 bytes, over the 16 of edit 1017
    const Fill fill = [&](Settings& s) {
        s.entries = {NOTEPAD, {2, "stale", "stale.exe"}, CALC};
        s.main_label = long_label;
        s.main_program = "C:\\main.exe";
        s.lock_at_startup = 7;
    };
    write_file(fill);
    SettingTool tool(dir.path());
    const HWND dialog = open_as_boss(tool);
    ASSERT_TRUE(dialog);
    const std::vector<Row> expected_rows = {
        {NOTEPAD.label, NOTEPAD.program}, {TEXT_SEPARATOR_ROW, ""}, {CALC.label, CALC.program}};
    EXPECT_EQ(tool.rows(dialog), expected_rows);
    EXPECT_EQ(tool.selected_row(dialog), -1);
    EXPECT_TRUE(checked(dialog, MAIN_SOFTWARE));
    EXPECT_FALSE(checked(dialog, LOCK_AT_STARTUP)); // 7 is no check state
    EXPECT_EQ(tool.text(dialog, MAIN_LABEL), long_label);
    EXPECT_EQ(tool.text(dialog, MAIN_PROGRAM), "C:\\main.exe");
    EXPECT_TRUE(enabled(dialog, MAIN_LABEL));
    EXPECT_TRUE(enabled(dialog, MAIN_PROGRAM));
    EXPECT_FALSE(enabled(dialog, BROWSE_MAIN));

    // Saving what the screen does not show is refused: the dialog stays, the edit has the focus.
    tool.click(dialog, ACCEPT);
    EXPECT_EQ(tool.answer_message().text, "16 文字以内で入力してください。");
    tool.settle(dialog);
    EXPECT_FALSE(tool.ended(0));
    EXPECT_EQ(focus_of(dialog), GetDlgItem(dialog, MAIN_LABEL));

    tool.type(dialog, MAIN_LABEL, "全角で八文字の名");
    accept(tool, dialog);
    EXPECT_EQ(read_bytes(file), file_bytes([&](Settings& s) {
        fill(s);
        s.main_label = "全角で八文字の名";
        s.lock_at_startup = 0;
    }));
}

struct ListStep {
    const char* name;
    std::function<void(SettingTool&, HWND)> act;
    const char* message; // null: none
    std::vector<Row> rows;
    int selected;
    Row edits;
};

auto select_and_click(int row, int id)
{
    return [row, id](SettingTool& tool, HWND dialog) {
        tool.select_row(dialog, row);
        tool.click(dialog, id);
    };
}

auto double_click(int row)
{
    return [row](SettingTool& tool, HWND dialog) {
        tool.select_row(dialog, row);
        tool.double_click_row(dialog, row);
    };
}

const Row A_ROW{"a", "a.exe"};
const Row B_ROW{"b", "b.exe"};
const Row C_ROW{"c", "c.exe"};
const Row SEP_ROW{TEXT_SEPARATOR_ROW, ""};

// One boss session, step by step, from a file whose only entry is "a".
const ListStep LIST_STEPS[] = {
    {"delete without selection", select_and_click(-1, DELETE_ROW), TEXT_SELECT, {A_ROW}, -1, {"", ""}},
    {"up without selection", select_and_click(-1, UP), TEXT_SELECT, {A_ROW}, -1, {"", ""}},
    {"down without selection", select_and_click(-1, DOWN), TEXT_SELECT, {A_ROW}, -1, {"", ""}},
    {"overwrite checks the texts first", type_and_click("x", "", OVERWRITE), TEXT_MISSING, {A_ROW}, -1, {"x", ""}},
    {"overwrite without selection", type_and_click("x", "x.exe", OVERWRITE), TEXT_SELECT, {A_ROW}, -1, {"x", "x.exe"}},
    {"add with only a label", type_and_click("b", "", ADD), TEXT_MISSING, {A_ROW}, -1, {"b", ""}},
    {"add with only a program", type_and_click("", "b.exe", ADD), TEXT_MISSING, {A_ROW}, -1, {"", "b.exe"}},
    {"add appends an unselected row", type_and_click("b", "b.exe", ADD), nullptr, {A_ROW, B_ROW}, -1, {"", ""}},
    {"separator appends whatever is selected",
        [](SettingTool& tool, HWND dialog) {
            tool.select_row(dialog, 0);
            tool.type(dialog, LABEL, "kept");
            tool.click(dialog, SEPARATOR);
        },
        nullptr, {A_ROW, B_ROW, SEP_ROW}, 0, {"kept", ""}},
    {"up on the first row", select_and_click(0, UP), nullptr, {A_ROW, B_ROW, SEP_ROW}, 0, {"kept", ""}},
    {"down on the last row", select_and_click(2, DOWN), nullptr, {A_ROW, B_ROW, SEP_ROW}, 2, {"kept", ""}},
    {"up moves the row and its selection", select_and_click(2, UP), nullptr, {A_ROW, SEP_ROW, B_ROW}, 1, {"kept", ""}},
    {"down moves it back", [](SettingTool& tool, HWND dialog) { tool.click(dialog, DOWN); }, nullptr,
        {A_ROW, B_ROW, SEP_ROW}, 2, {"kept", ""}},
    {"double-click loads a row", double_click(0), nullptr, {A_ROW, B_ROW, SEP_ROW}, 0, {"a", "a.exe"}},
    {"double-click on a separator clears", double_click(2), nullptr, {A_ROW, B_ROW, SEP_ROW}, 2, {"", ""}},
    {"overwrite turns a separator into an entry",
        [](SettingTool& tool, HWND dialog) { type_and_click("c", "c.exe", OVERWRITE)(tool, dialog); }, nullptr,
        {A_ROW, B_ROW, C_ROW}, 2, {"", ""}},
    {"delete keeps the edits",
        [](SettingTool& tool, HWND dialog) {
            tool.type(dialog, LABEL, "kept");
            select_and_click(1, DELETE_ROW)(tool, dialog);
        },
        nullptr, {A_ROW, C_ROW}, -1, {"kept", ""}},
    {"Enter does nothing", [](SettingTool&, HWND dialog) { press_key(GetDlgItem(dialog, LABEL), VK_RETURN); }, nullptr,
        {A_ROW, C_ROW}, -1, {"kept", ""}},
};

TEST_F(SettingToolTest, ListCommandsEditTheEntriesAndTheRowsInStep)
{
    write_file([](Settings& s) { s.entries = {{0, "a", "a.exe"}}; });
    SettingTool tool(dir.path());
    const HWND dialog = open_as_boss(tool);
    ASSERT_TRUE(dialog);
    for (const ListStep& step : LIST_STEPS) {
        step.act(tool, dialog);
        if (step.message) {
            EXPECT_EQ(tool.answer_message().text, step.message) << step.name;
        }
        tool.settle(dialog);
        EXPECT_FALSE(tool.message_showing()) << step.name;
        ASSERT_FALSE(tool.ended(0)) << step.name;
        EXPECT_EQ(tool.rows(dialog), step.rows) << step.name;
        EXPECT_EQ(tool.selected_row(dialog), step.selected) << step.name;
        EXPECT_EQ((Row{tool.text(dialog, LABEL), tool.text(dialog, PROGRAM)}), step.edits) << step.name;
    }
    accept(tool, dialog);
    EXPECT_EQ(read_bytes(file), file_bytes([](Settings& s) { s.entries = {{0, "a", "a.exe"}, {0, "c", "c.exe"}}; }));
}

// A command that reads the screen goes no further when the screen could not be read whole:
// the edits after the over-long one would count with values the screen no longer shows.
TEST_F(SettingToolTest, ListCommandsStopWhenTheScreenCannotBeReadWhole)
{
    const std::string long_path = "C:\\" + std::string(300, 'p') + ".exe";
    write_file([&](Settings& s) {
        s.entries = {{0, "a", "a.exe"}};
        s.main_program = long_path;
    });
    SettingTool tool(dir.path());
    const HWND dialog = open_as_boss(tool);
    ASSERT_TRUE(dialog);
    const struct {
        const char* name;
        std::function<void(SettingTool&, HWND)> act;
    } commands[] = {
        {"add", type_and_click("x", "new.exe", ADD)},
        {"overwrite",
            [](SettingTool& t, HWND d) {
                t.type(d, LABEL, "x");
                t.type(d, PROGRAM, "new.exe");
                t.select_row(d, 0);
                t.click(d, OVERWRITE);
            }},
        {"double-click", double_click(0)},
    };
    for (const auto& c : commands) {
        c.act(tool, dialog);
        EXPECT_EQ(tool.answer_message().text, "255 文字以内で入力してください。") << c.name;
        tool.settle(dialog);
        EXPECT_FALSE(tool.message_showing()) << c.name;
        EXPECT_EQ(tool.rows(dialog), std::vector<Row>{A_ROW}) << c.name;
        EXPECT_EQ(focus_of(dialog), GetDlgItem(dialog, MAIN_PROGRAM)) << c.name;
        EXPECT_EQ((Row{tool.text(dialog, LABEL), tool.text(dialog, PROGRAM)}), (Row{"x", "new.exe"})) << c.name;
    }

    // Once the screen can be read, the same command goes through.
    tool.type(dialog, MAIN_PROGRAM, "C:\\main.exe");
    type_and_click("x", "new.exe", ADD)(tool, dialog);
    tool.settle(dialog);
    EXPECT_FALSE(tool.message_showing());
    EXPECT_EQ(tool.rows(dialog), (std::vector<Row>{A_ROW, {"x", "new.exe"}}));
    tool.click(dialog, IDCANCEL);
    EXPECT_TRUE(tool.ended());
}

TEST_F(SettingToolTest, TheListRefusesA256thEntry)
{
    write_file([](Settings& s) { s.entries.assign(MAX_ENTRIES, NOTEPAD); });
    const Bytes before = read_bytes(file);
    SettingTool tool(dir.path());
    const HWND dialog = open_as_boss(tool);
    ASSERT_TRUE(dialog);
    for (const int id : {ADD, SEPARATOR}) {
        type_and_click("b", "b.exe", id)(tool, dialog);
        EXPECT_EQ(tool.answer_message().text, TEXT_LIST_FULL) << id;
        tool.settle(dialog);
        EXPECT_EQ(tool.rows(dialog).size(), MAX_ENTRIES) << id;
    }
    accept(tool, dialog);
    EXPECT_EQ(read_bytes(file), before);
}

struct MainSoftwareCase {
    const char* name;
    std::string stored_program;
    std::function<void(SettingTool&, HWND)> act;
    std::vector<const char*> messages; // shown by the Accepts before the last one
    std::string label;
    std::string program;
};

const MainSoftwareCase MAIN_SOFTWARE_CASES[] = {
    {"ticked, both texts needed", "",
        [](SettingTool& tool, HWND dialog) {
            tool.click(dialog, MAIN_SOFTWARE);
            tool.settle(dialog);
            for (const int id : {MAIN_PROGRAM, MAIN_LABEL, BROWSE_MAIN})
                EXPECT_TRUE(enabled(dialog, id)) << id;
            tool.click(dialog, ACCEPT);
            EXPECT_EQ(tool.answer_message().text, TEXT_MAIN_INCOMPLETE);
            tool.type(dialog, MAIN_LABEL, "main");
            tool.click(dialog, ACCEPT);
            EXPECT_EQ(tool.answer_message().text, TEXT_MAIN_INCOMPLETE);
            tool.type(dialog, MAIN_PROGRAM, "C:\\main.exe");
        },
        {}, "main", "C:\\main.exe"},
    {"cleared, the texts shown are not stored", "C:\\old.exe",
        [](SettingTool& tool, HWND dialog) {
            tool.click(dialog, MAIN_SOFTWARE);
            tool.settle(dialog);
            for (const int id : {MAIN_PROGRAM, MAIN_LABEL, BROWSE_MAIN})
                EXPECT_FALSE(enabled(dialog, id)) << id;
            EXPECT_EQ(tool.text(dialog, MAIN_PROGRAM), "C:\\old.exe");
        },
        {}, "", ""},
    {"cleared and ticked again keeps the texts", "C:\\old.exe",
        [](SettingTool& tool, HWND dialog) {
            tool.click(dialog, MAIN_SOFTWARE);
            tool.click(dialog, MAIN_SOFTWARE);
            tool.settle(dialog);
            for (const int id : {MAIN_PROGRAM, MAIN_LABEL, BROWSE_MAIN})
                EXPECT_TRUE(enabled(dialog, id)) << id;
        },
        {}, "old", "C:\\old.exe"},
};

TEST_F(SettingToolTest, MainSoftwareIsStoredOnlyWhenTicked)
{
    for (const MainSoftwareCase& c : MAIN_SOFTWARE_CASES) {
        const Fill fill = [&](Settings& s) {
            s.main_program = c.stored_program;
            s.main_label = c.stored_program.empty() ? "" : "old";
        };
        write_file(fill);
        SettingTool tool(dir.path());
        const HWND dialog = open_as_boss(tool);
        ASSERT_TRUE(dialog) << c.name;
        c.act(tool, dialog);
        accept(tool, dialog);
        EXPECT_EQ(read_bytes(file), file_bytes([&](Settings& s) {
            s.main_label = c.label;
            s.main_program = c.program;
        })) << c.name;
    }
}

TEST_F(SettingToolTest, PasswordDialogsChangeOnlyOnAccept)
{
    for (const bool accepted : {true, false}) {
        write_file([](Settings& s) {
            s.boss_password = "oyakata";
            s.follower_password = "kobun";
        });
        const Bytes before = read_bytes(file);
        SettingTool tool(dir.path());
        const HWND dialog = open_as_boss(tool, "oyakata");
        ASSERT_TRUE(dialog);

        tool.click(dialog, BOSS_PASSWORD);
        HWND change = nullptr;
        ASSERT_TRUE(wait_until([&] { return (change = tool.password_dialog()) != nullptr; }));
        EXPECT_EQ(window_text(change), "親方パスワードの変更");
        EXPECT_EQ(tool.text(change, CURRENT_PASSWORD), "oyakata");
        EXPECT_TRUE(has_style(change, CURRENT_PASSWORD, ES_READONLY));
        EXPECT_FALSE(has_style(change, CURRENT_PASSWORD, ES_PASSWORD));
        EXPECT_TRUE(has_style(change, NEW_PASSWORD, ES_PASSWORD));
        EXPECT_FALSE(GetWindowLongA(change, GWL_STYLE) & WS_SYSMENU); // no close box
        EXPECT_EQ(focus_of(change), GetDlgItem(change, NEW_PASSWORD));
        tool.click(change, IDOK);
        EXPECT_EQ(tool.answer_message().text, TEXT_NO_NEW_PASSWORD);
        EXPECT_TRUE(IsWindowVisible(change));
        tool.type(change, NEW_PASSWORD, " ");
        tool.click(change, IDOK);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(change); }));

        tool.click(dialog, FOLLOWER_PASSWORD);
        ASSERT_TRUE(wait_until([&] { return (change = tool.password_dialog()) != nullptr; }));
        EXPECT_EQ(window_text(change), "子分パスワードの変更");
        EXPECT_EQ(tool.text(change, CURRENT_PASSWORD), "kobun");
        tool.type(change, NEW_PASSWORD, "dropped");
        press_key(GetDlgItem(change, NEW_PASSWORD), VK_ESCAPE);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(change); }));

        if (accepted) {
            accept(tool, dialog);
            EXPECT_EQ(read_bytes(file), file_bytes([](Settings& s) {
                s.boss_password = std::string(1, ' ');
                s.follower_password = "kobun";
            }));
        } else {
            tool.click(dialog, IDCANCEL);
            EXPECT_TRUE(tool.ended());
            EXPECT_EQ(read_bytes(file), before);
        }
    }
}

TEST_F(SettingToolTest, AcceptWritesAHiddenCurrentFileWithTheStartUpFlag)
{
    // "KIVL2", boss and follower "tovi", no main software, one entry "a" / "a.exe".
    write_bytes(file,
        hex("4B 49 56 4C 32 04 00 47 F6 67 96 04 00 47 F6 67 96 00 00 00 00 01 "
            "00 00 00 00 01 00 16 05 00 16 E2 56 87 56"));
    SettingTool tool(dir.path());
    const HWND dialog = open_as_boss(tool);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(tool.rows(dialog), (std::vector<Row>{A_ROW}));
    EXPECT_FALSE(checked(dialog, LOCK_AT_STARTUP));
    tool.click(dialog, LOCK_AT_STARTUP);
    accept(tool, dialog);
    EXPECT_EQ(read_bytes(file),
        hex("4B 49 56 4C 33 01 00 00 00 04 00 47 F6 67 96 04 00 47 F6 67 96 00 00 00 00 01 "
            "00 00 00 00 01 00 16 05 00 16 E2 56 87 56"));
    EXPECT_TRUE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// Only programs that open the system directly are warned of; No keeps the dialog as it was,
// Yes saves.
TEST_F(SettingToolTest, AcceptWarnsOfProgramsThatOpenTheSystem)
{
    const std::string warning = "次のソフトウエアからは、システムを直接操作できます。\nロック中でも、ここからロックを抜"
                                "けられるおそれがあります。\n\n";
    const struct {
        const char* name;
        Fill fill;
        std::string lines; // empty: no warning
    } cases[] = {
        {"ordinary programs",
            [](Settings& s) {
                s.entries = {NOTEPAD, CALC};
            },
            ""},
        {"a registered command prompt",
            [](Settings& s) {
                s.entries = {NOTEPAD, {0, "コマンド", "C:\\windows\\system32\\CMD.EXE"}};
            },
            "・コマンド（C:\\windows\\system32\\CMD.EXE）\n"},
        {"the main program, not a separator",
            [](Settings& s) {
                s.main_label = "PS";
                s.main_program = "powershell.exe";
                s.entries = {{1, "", "cmd.exe"}};
            },
            "・PS（powershell.exe）\n"},
    };
    for (const auto& c : cases) {
        write_file(c.fill);
        const Bytes before = read_bytes(file);
        SettingTool tool(dir.path());
        const HWND dialog = open_as_boss(tool);
        ASSERT_TRUE(dialog) << c.name;
        tool.click(dialog, LOCK_AT_STARTUP);
        const Bytes saved = file_bytes([&](Settings& s) {
            c.fill(s);
            s.lock_at_startup = 1;
        });
        if (c.lines.empty()) {
            accept(tool, dialog);
            EXPECT_EQ(read_bytes(file), saved) << c.name;
            continue;
        }
        tool.click(dialog, ACCEPT);
        EXPECT_EQ(tool.answer_message(IDNO).text, warning + c.lines + "\nこのまま設定しますか？") << c.name;
        tool.settle(dialog);
        EXPECT_FALSE(tool.ended(0)) << c.name;
        EXPECT_TRUE(checked(dialog, LOCK_AT_STARTUP)) << c.name;
        EXPECT_EQ(read_bytes(file), before) << c.name;

        tool.click(dialog, ACCEPT);
        EXPECT_FALSE(tool.answer_message(IDYES).text.empty()) << c.name;
        EXPECT_TRUE(tool.ended()) << c.name;
        EXPECT_EQ(read_bytes(file), saved) << c.name;
    }
}

// Makes the file unwritable for the tool; the function returned takes the cause away.
struct SaveBlocker {
    const char* name;
    std::function<std::function<void()>(const std::string& path)> block;
};

const SaveBlocker SAVE_BLOCKERS[] = {
    {"read-only attribute",
        [](const std::string& path) -> std::function<void()> {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
            return [path] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN); };
        }},
    {"held open without sharing",
        [](const std::string& path) -> std::function<void()> {
            auto held = std::make_shared<OwnedFile>(
                CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
            return [held] { held->reset(); };
        }},
};

TEST_F(SettingToolTest, AFailedSaveShowsString5AndKeepsTheDialogWithItsEdits)
{
    for (const SaveBlocker& c : SAVE_BLOCKERS) {
        write_file([](Settings& s) { s.entries = {NOTEPAD}; });
        const Bytes before = read_bytes(file);
        SettingTool tool(dir.path());
        const HWND dialog = open_as_boss(tool);
        ASSERT_TRUE(dialog) << c.name;
        tool.click(dialog, SEPARATOR);
        tool.click(dialog, LOCK_AT_STARTUP);
        tool.settle(dialog);
        std::function<void()> unblock = c.block(file);

        tool.click(dialog, ACCEPT);
        const Message message = tool.answer_message();
        EXPECT_EQ(message.caption, "setting") << c.name;
        EXPECT_EQ(message.text, TEXT_SAVE_FAILED) << c.name;
        tool.settle(dialog);
        EXPECT_FALSE(tool.message_showing()) << c.name;
        EXPECT_FALSE(tool.ended(0)) << c.name;
        EXPECT_TRUE(IsWindowVisible(dialog)) << c.name;
        EXPECT_EQ(tool.rows(dialog), (std::vector<Row>{{NOTEPAD.label, NOTEPAD.program}, SEP_ROW})) << c.name;
        EXPECT_TRUE(checked(dialog, LOCK_AT_STARTUP)) << c.name;

        unblock();
        EXPECT_EQ(read_bytes(file), before) << c.name;
        accept(tool, dialog);
        EXPECT_EQ(read_bytes(file), file_bytes([](Settings& s) {
            s.entries = {NOTEPAD, {1, "", ""}};
            s.lock_at_startup = 1;
        })) << c.name;
    }
}

} // namespace
