// kiv2cfg natively: every file the store writes comes back byte for byte through the text,
// bad texts are refused with their line and nothing written, and the risk table.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "kiv2cfg_commands.h"
#include "program_risk.h"
#include "settings.h"
#include "settings_text.h"
#include "test_files.h"

namespace {

using Fill = std::function<void(Settings&)>;

// Code page 932 bytes (the native build keeps literals UTF-8).
const std::string MEMO = "\x83\x81\x83\x82\x92\xA0"; // メモ帳
const std::string HYO = "\x95\x5C"; // 表, whose trail byte is a backslash
// NEC-selected IBM extension: the platform maps it back to the IBM extension's bytes.
const std::string NEC_SELECTED = "\xED\x40";

struct RoundTrip {
    const char* name;
    Fill fill;
};

const RoundTrip ROUND_TRIPS[] = {
    {"fresh record", [](Settings&) {}},
    {"everything empty",
        [](Settings& s) {
            s.boss_password.clear();
            s.follower_password.clear();
        }},
    {"Japanese texts and a main program",
        [](Settings& s) {
            s.lock_at_startup = 1;
            s.boss_password = "親方" + MEMO;
            s.main_label = MEMO;
            s.main_program = "C:\\" + HYO + "\\notepad.exe";
            s.entries = {{0, MEMO, "C:\\Windows\\notepad.exe"}, {1, "", ""}, {0, HYO, HYO + "\\x.exe"}};
        }},
    {"label without main program", [](Settings& s) { s.main_label = "label only"; }},
    {"odd flags and stale separator texts",
        [](Settings& s) {
            s.lock_at_startup = -7;
            s.entries = {{2, "stale", "stale.exe"}, {-1, "", "x"}, {1, "y", ""}};
        }},
    {"blanks, quotes, escapes and control characters",
        [](Settings& s) {
            s.boss_password = " tovi ";
            s.follower_password = "\"quoted\" \\ \t";
            s.main_label = "line\r\nbreak\x01";
            s.main_program = "\"C:\\Program Files\\a.exe\"";
            s.entries = {{0, "=;#[x]", "  "}};
        }},
    {"bytes without an exact UTF-8 form",
        [](Settings& s) {
            s.boss_password = "a\x80"
                              "b\xFF";
            s.follower_password = NEC_SELECTED + MEMO + "\x81";
            s.entries = {{0, "\xA0\xFD", "\x81\x7F"}};
        }},
    {"255 entries and the longest text",
        [](Settings& s) {
            s.entries.assign(MAX_ENTRIES, {0, std::string(300, 'l'), "C:\\" + std::string(252, 'p')});
            s.entries[7] = {1, "", ""};
            s.entries[8].program.assign(MAX_STRING_BYTES, 'p');
        }},
};

class Kiv2cfg : public ::testing::Test {
protected:
    TempDir dir;

    std::string path(const std::string& name) const { return (dir / name).string(); }

    int run(const std::vector<std::string>& arguments)
    {
        output = {};
        return run_kiv2cfg(arguments, output);
    }

    void write_text(const std::string& name, const std::string& text) const
    {
        write_bytes(dir / name, Bytes(text.begin(), text.end()));
    }

    CommandOutput output;
};

TEST_F(Kiv2cfg, ExportThenImportGivesBackTheSameBytes)
{
    for (const RoundTrip& c : ROUND_TRIPS) {
        Settings settings(path("kiv2.bin"));
        c.fill(settings);
        ASSERT_TRUE(settings.save()) << c.name;
        ASSERT_EQ(run({"export", path("kiv2.bin"), path("kiv2.txt")}), EXIT_DONE) << c.name << output.err;
        ASSERT_EQ(run({"import", path("kiv2.txt"), path("back.bin")}), EXIT_DONE) << c.name << output.err;
        EXPECT_EQ(read_bytes(path("back.bin")), read_bytes(path("kiv2.bin"))) << c.name;
    }
}

// The older version has no start-up flag: it comes out as the settings tool would save it.
TEST_F(Kiv2cfg, AnOlderFileIsExportedAsTheCurrentVersion)
{
    write_bytes(dir / "old.bin", hex("4B 49 56 4C 32  01 00 16  00 00  00 00  00 00  01  01 00 00 00  00 00  00 00"));
    ASSERT_EQ(run({"show", path("old.bin")}), EXIT_DONE);
    EXPECT_NE(output.out.find("lock_at_startup = no\nboss_password = a\nfollower_password =\n\n[separator]\n"),
        std::string::npos)
        << output.out;
    write_text("old.txt", output.out);
    ASSERT_EQ(run({"import", path("old.txt"), path("new.bin")}), EXIT_DONE);
    EXPECT_EQ(read_bytes(path("new.bin")),
        hex("4B 49 56 4C 33  00 00 00 00  01 00 16  00 00  00 00  00 00  01  01 00 00 00  00 00  00 00"));
}

TEST_F(Kiv2cfg, TheTextReadsAsAnAdministratorWritesIt)
{
    write_text("hand.txt",
        "\xEF\xBB\xBF; written by hand\r\n[Kivel2]\r\nLock_At_Startup = YES\r\nboss_password=boss\r\n"
        "follower_password =   kid  \r\n\r\n[main]\r\nlabel = メモ帳\r\npath = C:\\Windows\\notepad.exe\r\n"
        "[program]\r\n  # indented comment\r\nlabel = 電卓\r\npath = calc.exe\r\n[separator]\r\n");
    Settings settings(path("kiv2.bin"));
    ASSERT_EQ(run({"import", path("hand.txt"), settings.file_path}), EXIT_DONE) << output.err;
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.lock_at_startup, 1);
    EXPECT_EQ(settings.boss_password, "boss");
    EXPECT_EQ(settings.follower_password, "kid");
    EXPECT_EQ(settings.main_label, MEMO);
    EXPECT_EQ(settings.main_program, "C:\\Windows\\notepad.exe");
    ASSERT_EQ(settings.entries.size(), 2u);
    EXPECT_EQ(settings.entries[0].label, "\x93\x64\x91\xEC"); // 電卓
    EXPECT_EQ(settings.entries[1].is_separator, 1);
}

struct BadText {
    std::string text; // after a valid [kivel2] section of lines 1 to 4
    int line;
    const char* message;
};

const std::string GENERAL = "[kivel2]\nlock_at_startup = no\nboss_password = a\nfollower_password = b\n";

std::string repeated(const std::string& text, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += text;
    return out;
}

std::string many_entries(std::size_t count)
{
    return repeated("[separator]\n", count);
}

const BadText BAD_TEXTS[] = {
    {"[programs]\n", 5, "unknown section [programs]"},
    {"[program]\nlabel = a\npaht = a.exe\n", 7, "unknown key \"paht\" in [program]"},
    {"[program]\nlabel = a\nlabel = b\n", 7, "\"label\" given twice"},
    {"[main]\nlabel = a\n", 5, "[main] has no path"},
    {"[kivel2]\n", 5, "a second [kivel2] section"},
    {"just words\n", 5, "expected \"key = value\""},
    {"[separator]\nflag = 0\n", 6, "flag cannot be 0"},
    {"[program]\nlabel = \"open\npath = a\n", 6, "no closing quote"},
    {"[program]\nlabel = \"a\" b\npath = a\n", 6, "text after the closing quote"},
    {"[program]\nlabel = \"\\q\"\npath = a\n", 6, "unknown escape \\q"},
    {"[program]\nlabel = \"\\x00\"\npath = a\n", 6, "zero byte"},
    {std::string("[program]\nlabel = a\0b\npath = a\n", 31), 6, "zero byte"},
    {"[program]\nlabel = ok 한글\npath = a\n", 6, "\"한\" has no code page 932 form"},
    {"[program]\nlabel = \"¥100\"\npath = a\n", 6, "\"¥\" has no code page 932 form"},
    {"[program]\nlabel = a\xFF\npath = a\n", 6, "not UTF-8"},
    {"[program]\nlabel = a\npath = " + std::string(MAX_STRING_BYTES + 1, 'p') + "\n", 7,
        "65536 bytes in code page 932; the file holds at most 65535"},
    {"[program]\nlabel = a\npath = " + repeated("メ", MAX_STRING_BYTES / 2 + 1) + "\n", 7, "65536 bytes"},
    {many_entries(MAX_ENTRIES + 1), 260, "more than 255 entries"},
};

TEST_F(Kiv2cfg, BadTextIsRefusedWithItsLineAndNothingWritten)
{
    Settings existing(path("kiv2.bin"));
    ASSERT_TRUE(existing.save());
    const Bytes before = read_bytes(existing.file_path);
    for (const BadText& c : BAD_TEXTS) {
        write_text("bad.txt", GENERAL + c.text);
        EXPECT_EQ(run({"import", path("bad.txt"), existing.file_path}), EXIT_BAD_INPUT) << c.message;
        EXPECT_NE(output.err.find("bad.txt:" + std::to_string(c.line) + ": "), std::string::npos) << output.err;
        EXPECT_NE(output.err.find(c.message), std::string::npos) << output.err;
        EXPECT_EQ(read_bytes(existing.file_path), before) << c.message;
    }
    EXPECT_EQ(dir.names().size(), 2u); // no temporary left behind
}

TEST_F(Kiv2cfg, FileErrorsAndUsage)
{
    write_text("good.txt", GENERAL);
    write_text("lock.txt", "[kivel2]\nlock_at_startup = sometimes\n");
    write_text("nothing.txt", "; only a comment\n");
    write_bytes(dir / "cut.bin", hex("4B 49 56 4C 33 00"));
    const struct {
        std::vector<std::string> arguments;
        int code;
        std::string message;
    } cases[] = {
        {{"import", path("missing.txt"), path("kiv2.bin")}, EXIT_FILE_ERROR, "missing.txt: cannot be read"},
        {{"import", path("good.txt"), path("no/such/dir/kiv2.bin")}, EXIT_FILE_ERROR, "kiv2.bin: cannot be written"},
        {{"export", path("good.txt"), path("no/such/dir/kiv2.txt")}, EXIT_FILE_ERROR, "kiv2.txt: cannot be written"},
        {{"show", path("cut.bin")}, EXIT_BAD_INPUT, "cut.bin: not a complete settings file"},
        {{"check", path("lock.txt")}, EXIT_BAD_INPUT, "lock.txt:2: expected yes, no or a number, not \"sometimes\""},
        {{"check", path("nothing.txt")}, EXIT_BAD_INPUT, "nothing.txt: no [kivel2] section"},
        {{"import", path("good.txt")}, EXIT_BAD_INPUT, "Exit codes: 0 done; 1 bad input"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.arguments), c.code) << c.message;
        EXPECT_NE(output.err.find(c.message), std::string::npos) << output.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "kiv2.bin"));
    EXPECT_EQ(run({"--help"}), EXIT_DONE);
    EXPECT_NE(output.out.find("2 file error"), std::string::npos);
}

TEST(ProgramRiskTable, ClassifiesByFileNameAlone)
{
    const struct {
        std::string program;
        ProgramRisk risk;
    } cases[] = {
        {"C:\\Windows\\System32\\CMD.EXE", ProgramRisk::opens_system},
        {"cmd", ProgramRisk::opens_system},
        {"\"C:\\Program Files\\PowerShell\\7\\pwsh.exe\"", ProgramRisk::opens_system},
        {"C:/Windows/explorer.exe", ProgramRisk::opens_system},
        {"regedit.exe", ProgramRisk::opens_system},
        {"C:\\Windows\\System32\\compmgmt.msc", ProgramRisk::opens_system},
        {"timedate.cpl", ProgramRisk::opens_system},
        {"mshta.exe", ProgramRisk::opens_system},
        {"C:\\Windows\\notepad.exe", ProgramRisk::file_dialogs},
        {"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe", ProgramRisk::file_dialogs},
        {"chrome", ProgramRisk::file_dialogs},
        {"C:\\Windows\\System32\\calc.exe", ProgramRisk::none},
        {"C:\\cmd.exe\\game.exe", ProgramRisk::none},
        {"mycmd.exe", ProgramRisk::none},
        {"C:\\" + HYO + "cmd.exe", ProgramRisk::none}, // one file name: 表cmd.exe
        {"", ProgramRisk::none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(program_risk(c.program), c.risk) << c.program;
}

TEST(CheckReport, ListsRisksMissingProgramsAndOverlongTextsByPosition)
{
    Settings settings("unused");
    settings.main_label = "main";
    settings.main_program = "C:\\tools\\cmd.exe";
    settings.boss_password = std::string(256, 'b');
    settings.entries = {{0, "edit", "notepad.exe"}, {1, "", "cmd.exe"}, {0, "gone", "C:\\gone.exe"},
        {0, std::string(256, 'l'), "C:\\ok.exe"}};
    const CheckReport report = check_settings(
        settings, [](const std::string& program) -> std::optional<bool> { return program != "C:\\gone.exe"; });
    EXPECT_TRUE(report.opens_system);
    EXPECT_EQ(report.text,
        "main program \"main\" C:\\tools\\cmd.exe: opens the system directly\n"
        "entry 1 \"edit\" notepad.exe: has file dialogs through which other programs can be started\n"
        "entry 3 \"gone\" C:\\gone.exe: not found\n"
        "boss_password: 256 bytes; setting.exe shows at most 255\n"
        "entry 4 label: 256 bytes; setting.exe shows at most 255\n");

    // Where programs cannot be looked for, and with nothing risky, check passes.
    Settings plain("unused");
    plain.entries = {{0, "calc", "calc.exe"}};
    const CheckReport clean = check_settings(plain, [](const std::string&) -> std::optional<bool> { return {}; });
    EXPECT_FALSE(clean.opens_system);
    EXPECT_EQ(clean.text, "no problems found\n");
}

} // namespace
