// The dialog layer on its own, in-process: a probe dialog from this program's resources,
// scripted from inside its own message loop, with message boxes answered from a second thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "app.h"
#include "command.h"
#include "data_exchange.h"
#include "dialog.h"
#include "framework_probe.h"
#include "message.h"
#include "message_box_answerer.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 1;
constexpr UINT WM_FINISH = WM_APP + 2;
constexpr std::size_t SHORT_LIMIT = 16;

class ProbeDialog final : public Dialog {
public:
    // Runs once the dialog is on the screen. A message posted after it then ends the dialog
    // with IDCLOSE, unless the script has ended it already: IDCLOSE shows that it stayed open.
    std::function<void(ProbeDialog&)> script;

    std::string short_text;
    std::string free_text;
    int checked = 0;
    int clicks = 0;

    ProbeDialog() : Dialog(IDD_PROBE) {}
    using Dialog::update_data;

protected:
    bool exchange(DataExchange& dx) override
    {
        return dx.text(IDC_SHORT, short_text, SHORT_LIMIT) && dx.text(IDC_FREE, free_text) &&
            dx.check(IDC_CHECK, checked);
    }

    BOOL on_init() override
    {
        const BOOL result = Dialog::on_init();
        PostMessageA(window(), WM_RUN_SCRIPT, 0, 0);
        return result;
    }

    bool on_command(int id, int code) override;

    bool on_message(UINT message, WPARAM, LPARAM, INT_PTR& result) override
    {
        if (message == WM_FINISH) {
            end(IDCLOSE);
        } else if (message == WM_RUN_SCRIPT) {
            if (script)
                script(*this);
            PostMessageA(window(), WM_FINISH, 0, 0);
        } else {
            return false;
        }
        result = TRUE;
        return true;
    }

private:
    void click() { ++clicks; }
    static const Command<ProbeDialog> COMMANDS[];
};

const Command<ProbeDialog> ProbeDialog::COMMANDS[] = {{IDC_CLICK, BN_CLICKED, &ProbeDialog::click}};

bool ProbeDialog::on_command(int id, int code)
{
    return dispatch<ProbeDialog>(*this, COMMANDS, id, code);
}

std::string item_text(const ProbeDialog& dialog, int id)
{
    char text[1024];
    return std::string(text, GetDlgItemTextA(dialog.window(), id, text, sizeof text));
}

TEST(DialogFramework, RunsModallyAndEndsWithTheGivenCode)
{
    ProbeDialog dialog;
    HWND seen = nullptr;
    dialog.script = [&](ProbeDialog& d) {
        seen = d.window();
        d.end(42);
    };
    EXPECT_EQ(dialog.run(), 42);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(IsWindow(seen));
}

TEST(DialogFramework, OpensCentredOnTheScreen)
{
    ProbeDialog dialog;
    dialog.script = [](ProbeDialog& d) {
        RECT own;
        GetWindowRect(d.window(), &own);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(d.window(), MONITOR_DEFAULTTONEAREST), &monitor);
        EXPECT_NEAR(own.left + own.right, monitor.rcWork.left + monitor.rcWork.right, 2);
        EXPECT_NEAR(own.top + own.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 2);
    };
    EXPECT_EQ(dialog.run(), IDCLOSE);
}

struct CheckCase {
    int value;
    UINT shown;
    int kept;
};

TEST(DataExchange, IntoTheControls)
{
    const CheckCase checks[] = {{0, BST_UNCHECKED, 0}, {1, BST_CHECKED, 1}, {-1, BST_UNCHECKED, 0},
        {3, BST_UNCHECKED, 0}, {INT_MIN, BST_UNCHECKED, 0}, {INT_MAX, BST_UNCHECKED, 0}, {2, BST_CHECKED, 2}};
    ProbeDialog dialog;
    dialog.script = [&](ProbeDialog& d) {
        // Text put in by the exchange itself is not cut to the limit.
        d.short_text = std::string(20, 'x');
        d.free_text = std::string(300, 'y');
        d.update_data(false);
        EXPECT_EQ(item_text(d, IDC_SHORT), d.short_text);
        EXPECT_EQ(item_text(d, IDC_FREE), d.free_text);
        EXPECT_EQ(SendDlgItemMessageA(d.window(), IDC_SHORT, EM_GETLIMITTEXT, 0, 0), 16);
        for (const CheckCase& c : checks) {
            // A two-state box shows an indeterminate 2 as ticked.
            d.checked = c.value;
            d.update_data(false);
            EXPECT_EQ(IsDlgButtonChecked(d.window(), IDC_CHECK), c.shown) << c.value;
            EXPECT_EQ(d.checked, c.kept) << c.value;
        }
    };
    EXPECT_EQ(dialog.run(), IDCLOSE);
}

TEST(DataExchange, OutOfTheControls)
{
    ProbeDialog dialog;
    dialog.script = [](ProbeDialog& d) {
        SetDlgItemTextA(d.window(), IDC_SHORT, "\x95\x5C"); // 表
        SetDlgItemTextA(d.window(), IDC_FREE, "free text");
        for (const UINT state : {BST_CHECKED, BST_UNCHECKED}) {
            CheckDlgButton(d.window(), IDC_CHECK, state);
            EXPECT_TRUE(d.update_data(true));
            EXPECT_EQ(d.short_text, "\x95\x5C");
            EXPECT_EQ(d.free_text, "free text");
            EXPECT_EQ(d.checked, static_cast<int>(state));
        }
    };
    EXPECT_EQ(dialog.run(), IDCLOSE);
}

struct LimitCase {
    const char* name;
    std::string text;
    bool fits;
};

// The limit is 16 bytes: 8 full-width or 16 half-width characters.
const LimitCase LIMITS[] = {
    {"16 half-width", std::string(16, 'a'), true},
    {"8 full-width", "あいうえおかきく", true},
    {"7 full-width and 2 half-width", "あいうえおかきab", true},
    {"empty", "", true},
    {"17 half-width", std::string(17, 'a'), false},
    {"9 full-width", "あいうえおかきくけ", false},
    {"8 full-width and 1 half-width", "あいうえおかきくa", false},
};

TEST(DataExchange, LimitsCountBytes)
{
    const std::string expected_message = "16 文字以内で入力してください。";
    for (const LimitCase& c : LIMITS) {
        MessageBoxAnswerer answerer;
        ProbeDialog dialog;
        dialog.script = [&](ProbeDialog& d) {
            d.free_text = "before";
            d.checked = 0;
            SetDlgItemTextA(d.window(), IDC_SHORT, c.text.c_str());
            SetDlgItemTextA(d.window(), IDC_FREE, "after");
            CheckDlgButton(d.window(), IDC_CHECK, BST_CHECKED);
            SetFocus(GetDlgItem(d.window(), IDC_CLICK));

            EXPECT_EQ(d.update_data(true), c.fits) << c.name;
            EXPECT_EQ(d.short_text, c.text) << c.name;
            if (c.fits) {
                EXPECT_EQ(d.free_text, "after") << c.name;
                return;
            }
            // The exchange stopped at the edit: later values keep theirs.
            EXPECT_EQ(d.free_text, "before") << c.name;
            EXPECT_EQ(d.checked, 0) << c.name;
            const HWND edit = GetDlgItem(d.window(), IDC_SHORT);
            EXPECT_EQ(GetFocus(), edit) << c.name;
            DWORD start = 1, end = 0;
            SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u) << c.name;
            EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(edit))) << c.name;
        };
        EXPECT_EQ(dialog.run(), IDCLOSE) << c.name;
        const auto boxes = answerer.boxes();
        ASSERT_EQ(boxes.size(), c.fits ? 0u : 1u) << c.name;
        if (!c.fits) {
            EXPECT_EQ(boxes[0].text, expected_message);
            EXPECT_EQ(boxes[0].caption, program_title());
            EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_EXCLAMATION));
        }
    }
}

TEST(DialogFramework, OkEndsOnlyWhenTheExchangeCompletes)
{
    MessageBoxAnswerer answerer;
    for (const bool fits : {false, true}) {
        ProbeDialog dialog;
        dialog.script = [fits](ProbeDialog& d) {
            SetDlgItemTextA(d.window(), IDC_SHORT, std::string(fits ? 16 : 17, 'a').c_str());
            SendMessageA(d.window(), WM_COMMAND, IDOK, 0);
        };
        EXPECT_EQ(dialog.run(), fits ? IDOK : IDCLOSE) << fits;
    }
    EXPECT_EQ(answerer.boxes().size(), 1u);
}

TEST(DialogFramework, CancelAndHandlerTable)
{
    ProbeDialog dialog;
    dialog.script = [](ProbeDialog& d) {
        SendMessageA(GetDlgItem(d.window(), IDC_CLICK), BM_CLICK, 0, 0);
        EXPECT_EQ(d.clicks, 1);
        // Another notification of the same control is not in the table.
        SendMessageA(d.window(), WM_COMMAND, MAKEWPARAM(IDC_CLICK, BN_DOUBLECLICKED), 0);
        EXPECT_EQ(d.clicks, 1);
        SendMessageA(d.window(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dialog.run(), IDCANCEL);
}

TEST(MessageBoxes, TextFromTheStringTableAndTheProgramAsCaption)
{
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const std::string name = program.substr(program.rfind('\\') + 1);
    EXPECT_EQ(program_title(), name.substr(0, name.rfind('.')));

    MessageBoxAnswerer answerer;
    EXPECT_EQ(show_message(IDS_PROBE, MB_ICONINFORMATION), IDOK);
    const auto boxes = answerer.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "試験の\n文字列");
    EXPECT_EQ(boxes[0].caption, program_title());
    EXPECT_EQ(boxes[0].icon, LoadIconA(nullptr, IDI_INFORMATION));
}

class ProbeApp final : public App {
public:
    explicit ProbeApp(bool keep_running) : keep_running_(keep_running) {}
    int starts = 0;

protected:
    bool init_instance() override
    {
        ++starts;
        if (keep_running_)
            PostQuitMessage(7);
        return keep_running_;
    }

private:
    bool keep_running_;
};

TEST(App, StartUpDecidesWhetherALoopRuns)
{
    for (const bool keep_running : {false, true}) {
        ProbeApp app(keep_running);
        EXPECT_EQ(App::current(), &app);
        EXPECT_EQ(app.run(), keep_running ? 7 : 0);
        EXPECT_EQ(app.starts, 1);
    }
    EXPECT_EQ(App::current(), nullptr);
}

} // namespace
