// The installer and the uninstaller, run silently into a folder of the test's own: what they
// put there and take away, that they never touch an administrator's settings, and that they
// refuse while Kivel2.exe runs. Run alone on the bench: they share the Start menu, the
// uninstall entry and the lock program's mutex with every other test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gui_probe.h"
#include "installer_driver.h"
#include "lock_program_fixture.h"
#include "settings.h"
#include "test_files.h"

namespace {

const std::vector<std::string> PROGRAMS = {"Kivel2.exe", "KivPx.dll", "setting.exe", "kiv2cfg.exe", "README.txt"};
const std::vector<std::string> START_MENU = {"Kivel2.lnk", "Kivel2 設定.lnk", "Kivel2 アンインストール.lnk"};
constexpr char VERSION[] = KIVEL_VERSION_TEXT ".0";

// An administrator's settings, unlike the first file in every byte that could be rewritten.
Bytes save_administrators_settings(const std::string& path)
{
    Settings settings(path);
    settings.boss_password = "boss";
    settings.follower_password = "kid";
    settings.main_label = "メモ帳";
    settings.main_program = "C:\\Windows\\notepad.exe";
    settings.entries = {{0, "電卓", "C:\\Windows\\calc.exe"}, {1, "", ""}};
    settings.lock_at_startup = 1;
    EXPECT_TRUE(settings.save());
    return read_bytes(path);
}

Bytes first_settings(const TempDir& dir)
{
    const Settings fresh(dir.path() + "\\fresh.bin");
    EXPECT_TRUE(fresh.save());
    return read_bytes(dir / "fresh.bin");
}

// What a deployment script hands every station, in a folder whose name needs quotes. The
// registered command prompt is on purpose: risky programs do not stop an install.
struct StationSettings {
    std::string option;
    Bytes bytes; // what kiv2.bin holds once they are installed
};

StationSettings write_station_settings(const TempDir& dir)
{
    const std::string folder = dir.path() + "\\my settings";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::u8string text = u8"[kivel2]\nlock_at_startup = yes\nboss_password = boss\nfollower_password = kid\n"
                               u8"\n[program]\nlabel = メモ帳\npath = C:\\Windows\\notepad.exe\n"
                               u8"\n[program]\nlabel = cmd\npath = cmd.exe\n";
    write_bytes(folder + "\\station.txt", Bytes(text.begin(), text.end()));
    Settings settings(folder + "\\station.bin");
    settings.lock_at_startup = 1;
    settings.boss_password = "boss";
    settings.follower_password = "kid";
    settings.entries = {{0, "メモ帳", "C:\\Windows\\notepad.exe"}, {0, "cmd", "cmd.exe"}};
    EXPECT_TRUE(settings.save());
    return {"/SETTINGS=\"" + folder + "\\station.txt\"", read_bytes(settings.file_path)};
}

std::vector<std::string> names_in(const std::string& folder)
{
    std::vector<std::string> names;
    // The uninstaller may be deleting the folder meanwhile: one that cannot be read lists nothing.
    std::error_code unreadable;
    for (const auto& entry : std::filesystem::directory_iterator(folder, unreadable))
        names.push_back(entry.path().filename().string());
    return names;
}

class InstallerTest : public ::testing::Test {
protected:
    TempDir dir;
    Installation installation{dir.path() + "\\Kivel2"};

    void TearDown() override
    {
        if (exists(installation.file("uninstall.exe")))
            installation.uninstall_in_place();
    }
};

TEST_F(InstallerTest, FreshInstallLaysOutTheProgramsTheFirstSettingsAndTheShortcuts)
{
    ASSERT_EQ(installation.install(), 0u);
    for (const std::string& name : PROGRAMS)
        EXPECT_TRUE(exists(installation.file(name))) << name;
    EXPECT_TRUE(exists(installation.file("uninstall.exe")));
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), first_settings(dir));
    EXPECT_TRUE(is_hidden(installation.file("kiv2.bin")));
    for (const std::string& name : START_MENU)
        EXPECT_TRUE(exists(start_menu_folder() + "\\" + name)) << name;
    EXPECT_TRUE(uninstall_entry_exists());
}

TEST_F(InstallerTest, EveryShippedFileCarriesTheProjectVersion)
{
    ASSERT_EQ(installation.install(), 0u);
    for (const char* name : {"Kivel2.exe", "KivPx.dll", "setting.exe", "kiv2cfg.exe"})
        EXPECT_EQ(file_version(installation.file(name)), VERSION) << name;
    EXPECT_EQ(file_version(installer_path()), VERSION);
}

TEST_F(InstallerTest, TheStartupShortcutIsMadeOnlyWhenAskedFor)
{
    const struct {
        const char* options;
        bool shortcut;
    } cases[] = {{"", false}, {"/STARTUP", true}};
    for (const auto& c : cases) {
        ASSERT_EQ(installation.install(c.options), 0u) << c.options;
        EXPECT_EQ(exists(startup_shortcut()), c.shortcut) << c.options;
        ASSERT_EQ(installation.uninstall_in_place(), 0u) << c.options;
        EXPECT_FALSE(exists(startup_shortcut())) << c.options;
    }
}

TEST_F(InstallerTest, AnUpdateKeepsTheStartupShortcut)
{
    ASSERT_EQ(installation.install("/STARTUP"), 0u);
    ASSERT_EQ(installation.install(), 0u);
    EXPECT_TRUE(exists(startup_shortcut()));
}

TEST_F(InstallerTest, AnUpdateReplacesTheProgramsAndKeepsTheSettingsByteForByte)
{
    ASSERT_EQ(installation.install(), 0u);
    const Bytes shipped = read_bytes(installation.file("Kivel2.exe"));
    const Bytes settings = save_administrators_settings(installation.file("kiv2.bin"));
    write_bytes(installation.file("Kivel2.exe"), hex("4D 5A"));

    ASSERT_EQ(installation.install(), 0u);
    EXPECT_EQ(read_bytes(installation.file("Kivel2.exe")), shipped);
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), settings);
}

TEST_F(InstallerTest, AFirstInstallBesideExistingSettingsKeepsThem)
{
    ASSERT_TRUE(CreateDirectoryA(installation.folder().c_str(), nullptr));
    const Bytes settings = save_administrators_settings(installation.file("kiv2.bin"));
    ASSERT_EQ(installation.install(), 0u);
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), settings);
}

TEST_F(InstallerTest, SettingsGivenOnTheCommandLineAreInstalledAndReplaceOnlyWhenGiven)
{
    const StationSettings station = write_station_settings(dir);
    ASSERT_EQ(installation.install(station.option), 0u);
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), station.bytes);
    EXPECT_TRUE(is_hidden(installation.file("kiv2.bin")));

    const Bytes administrators = save_administrators_settings(installation.file("kiv2.bin"));
    ASSERT_EQ(installation.install(), 0u);
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), administrators);
    ASSERT_EQ(installation.install(station.option), 0u);
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), station.bytes);

    // A settings file serves as well as a text.
    save_administrators_settings(dir.path() + "\\other.bin");
    ASSERT_EQ(installation.install("/SETTINGS=" + dir.path() + "\\other.bin"), 0u);
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), administrators);
}

TEST_F(InstallerTest, SettingsThatCannotBeImportedStopTheInstallAndChangeNothing)
{
    write_bytes(dir / "bad.txt", hex("5B 6B 69 76 65 6C 32 5D 0A 70 61 73 73 3D 31")); // "[kivel2]\npass=1"
    const std::string options[] = {"/SETTINGS=" + dir.path() + "\\bad.txt", "/SETTINGS=" + dir.path() + "\\none.txt"};
    for (const std::string& option : options) {
        EXPECT_EQ(installation.install(option), EXIT_BAD_SETTINGS) << option;
        EXPECT_FALSE(exists(installation.folder())) << option;
    }

    ASSERT_EQ(installation.install(), 0u);
    const Bytes administrators = save_administrators_settings(installation.file("kiv2.bin"));
    write_bytes(installation.file("Kivel2.exe"), hex("4D 5A"));
    for (const std::string& option : options) {
        EXPECT_EQ(installation.install(option), EXIT_BAD_SETTINGS) << option;
        EXPECT_EQ(read_bytes(installation.file("Kivel2.exe")), hex("4D 5A")) << option;
        EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), administrators) << option;
    }
}

TEST_F(InstallerTest, UninstallRemovesTheProgramsAndShortcutsAndKeepsTheSettings)
{
    ASSERT_EQ(installation.install("/STARTUP"), 0u);
    const Bytes settings = save_administrators_settings(installation.file("kiv2.bin"));

    ASSERT_EQ(installation.uninstall_in_place(), 0u);
    for (const std::string& name : PROGRAMS)
        EXPECT_FALSE(exists(installation.file(name))) << name;
    EXPECT_FALSE(exists(start_menu_folder()));
    EXPECT_FALSE(exists(startup_shortcut()));
    EXPECT_FALSE(uninstall_entry_exists());
    EXPECT_TRUE(event_source_value("EventMessageFile").empty());
    EXPECT_EQ(read_bytes(installation.file("kiv2.bin")), settings);
}

// Event Viewer reads the source's values and then the texts from the program they name.
TEST_F(InstallerTest, TheEventLogSourceNamesTheInstalledProgramAndItsJapaneseTexts)
{
    ASSERT_EQ(installation.install(), 0u);
    const std::string program = event_source_value("EventMessageFile");
    EXPECT_EQ(program, installation.file("Kivel2.exe"));
    EXPECT_EQ(event_source_value("CategoryMessageFile"), program);
    EXPECT_EQ(event_source_value("CategoryCount"), "3");
    EXPECT_EQ(event_source_value("TypesSupported"), "7");
    constexpr char PATH[] = "D:\\ソフト\\表.exe";
    const struct {
        DWORD id;
        std::string text;
    } cases[] = {
        {1, "ロック"},
        {104, "子分パスワードでロックを解除しました。Kivel2 は駐在を続けます。"},
        {108, std::string("ソフト「") + PATH + "」を起動できませんでした。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(message_text(program, c.id, PATH), c.text) << c.id;
}

// As "Apps & features" runs it: the uninstaller hands over to a copy of itself, which also
// removes the uninstaller; only the settings are left.
TEST_F(InstallerTest, UninstallFromTheFolderLeavesOnlyTheSettings)
{
    ASSERT_EQ(installation.install(), 0u);
    ASSERT_EQ(run_to_end(installation.file("uninstall.exe"), "/S"), 0u);
    EXPECT_TRUE(wait_until(
        [&] { return names_in(installation.folder()) == std::vector<std::string>{"kiv2.bin"}; }, INSTALL_MS));
}

// A locked station must stay one that can be unlocked: the lock program, its hook library
// and its settings are never replaced or removed under it.
class InstalledLockProgram : public LockProgram {
protected:
    Installation installation{dir.path()};

    // Nothing copied in: the folder holds what the installer put there, first settings
    // (passwords "tovi") included.
    void SetUp() override
    {
        ASSERT_TRUE(wait_until([] { return IsWindowVisible(taskbar()) != FALSE; })) << "no taskbar on the bench";
        ASSERT_EQ(installation.install(), 0u);
    }
    void TearDown() override
    {
        LockProgram::TearDown();
        installation.uninstall_in_place();
    }
};

TEST_F(InstalledLockProgram, StartsFromItsFolderLocksAndUnlocks)
{
    run_program();
    lock_by_tray();
    answer_password("tovi", true);
    EXPECT_TRUE(wait_until([&] { return resident_state(); })) << desktop_state();
}

TEST_F(InstalledLockProgram, SilentInstallAndUninstallAreRefusedWhileItRuns)
{
    run_program();
    const Bytes installed = read_bytes(in_dir("Kivel2.exe"));
    TempDir other;
    const Installation elsewhere(other.path() + "\\Kivel2");

    EXPECT_EQ(elsewhere.install(), EXIT_REFUSED);
    EXPECT_FALSE(exists(elsewhere.file("Kivel2.exe")));
    EXPECT_EQ(installation.install(), EXIT_REFUSED);
    EXPECT_EQ(installation.uninstall_in_place(), EXIT_REFUSED);
    for (const std::string& name : PROGRAMS)
        EXPECT_TRUE(exists(in_dir(name.c_str()))) << name;
    EXPECT_EQ(read_bytes(in_dir("Kivel2.exe")), installed);
    EXPECT_TRUE(program->is_running());
}

TEST_F(InstalledLockProgram, AnInteractiveInstallSaysWhyItRefuses)
{
    run_program();
    const RunningProgram installer(installer_path(), dir.path());
    ASSERT_TRUE(installer.started());
    const HWND box = wait_for_shown_message_box(installer.id(), INSTALL_MS);
    ASSERT_TRUE(box);
    EXPECT_EQ(message_box_text(box).rfind("Kivel2.exe が動いているので、続けられません。", 0), 0u)
        << message_box_text(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(installer.exit_code(INSTALL_MS), EXIT_REFUSED);
}

// setting.exe saves beside itself, which under Program Files needs an administrator;
// Kivel2.exe runs as whoever logs on, from the Startup folder too.
TEST_F(InstallerTest, OnlyTheSettingsToolAsksForElevation)
{
    ASSERT_EQ(installation.install(), 0u);
    const struct {
        const char* program;
        const char* level;
    } cases[] = {{"setting.exe", "requireAdministrator"}, {"Kivel2.exe", "asInvoker"}, {"kiv2cfg.exe", "asInvoker"}};
    for (const auto& c : cases)
        EXPECT_EQ(requested_execution_level(installation.file(c.program)), c.level) << c.program;
}

} // namespace
