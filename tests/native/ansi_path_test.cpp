// Where the settings file lies for a given program path, with and without double-byte
// characters whose trail byte is 0x5C.
#include <gtest/gtest.h>

#include "ansi_path.h"
#include "settings_file_path.h"

namespace {

struct PathCase {
    const char* program;
    const char* settings_file;
};

// "\x95\x5C" is "表" and "\x83\x5C" is "ソ" in code page 932.
const PathCase PATH_CASES[] = {
    {"C:\\Kivel2\\Kivel2.exe", "C:\\Kivel2\\kiv2.bin"},
    {"D:\\Tools\\app.exe", "D:\\Tools\\kiv2.bin"},
    {"C:\\Kivel2.exe", "C:\\kiv2.bin"},
    {"\\\\server\\share\\Kivel2.exe", "\\\\server\\share\\kiv2.bin"},
    {"Kivel2.exe", "Kivel2.exekiv2.bin"},
    {"", "kiv2.bin"},
    {"C:\\\x95\x5C\\Kivel2.exe", "C:\\\x95\x5C\\kiv2.bin"},
    {"C:\\\x95\x5C.exe", "C:\\kiv2.bin"},
    {"C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.exe", "C:\\\x83\x5C\x83\x74\x83\x67\\kiv2.bin"},
    {"\x95\x5C.exe", "\x95\x5C.exekiv2.bin"},
    // A lead byte with nothing after it is a byte of its own.
    {"C:\\a\x95", "C:\\kiv2.bin"},
};

TEST(SettingsFilePath, IsKiv2BinBesideTheProgram)
{
    for (const PathCase& c : PATH_CASES)
        EXPECT_EQ(settings_file_path_for(c.program, is_cp932_lead_byte), c.settings_file) << c.program;
}

TEST(SettingsFilePath, ByteWiseSearchWouldCutInsideACharacter)
{
    // Without lead bytes every 0x5C counts, which is what the code-page-aware search avoids.
    const auto no_lead_bytes = [](unsigned char) { return false; };
    EXPECT_EQ(settings_file_path_for("C:\\\x95\x5C.exe", no_lead_bytes), "C:\\\x95\\kiv2.bin");
}

TEST(FindLastBackslash, SkipsTrailBytes)
{
    EXPECT_EQ(find_last_backslash("a\\b\\c", is_cp932_lead_byte), 3u);
    EXPECT_EQ(find_last_backslash("\x95\x5C\x95\x5C", is_cp932_lead_byte), std::string_view::npos);
    EXPECT_EQ(find_last_backslash("\\\x95\x5C", is_cp932_lead_byte), 0u);
    // Half-width katakana (A1-DF) are single bytes, not lead bytes.
    EXPECT_EQ(find_last_backslash("\xB1\\", is_cp932_lead_byte), 1u);
}

} // namespace
