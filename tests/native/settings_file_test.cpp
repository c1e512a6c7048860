// The settings file byte for byte: what save() writes, what load() accepts, and what a
// failed load or save leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "failing_files.h"
#include "file_backend.h"
#include "reference_decoder.h"
#include "same_record.h"
#include "settings.h"
#include "settings_codec.h"
#include "test_files.h"

namespace {

// The worked example: lock at start-up, both passwords empty, main label "abc", one separator.
const Bytes WORKED_EXAMPLE = hex("4B 49 56 4C 33  01 00 00 00  00 00  00 00  03 00 16 26 36  00 00  01"
                                 "  01 00 00 00  00 00  00 00");

// A fresh record: both passwords "tovi" (74 6F 76 69, swapped 47 F6 67 96), nothing else.
const Bytes FRESH_RECORD = hex("4B 49 56 4C 33  00 00 00 00  04 00 47 F6 67 96  04 00 47 F6 67 96"
                               "  00 00  00 00  00");

class SettingsFile : public ::testing::Test {
protected:
    TempDir dir;
    const std::string path = (dir / "kiv2.bin").string();
};

TEST_F(SettingsFile, WorkedExampleIsWrittenAndReadBack)
{
    Settings written(path);
    written.lock_at_startup = 1;
    written.boss_password.clear();
    written.follower_password.clear();
    written.main_label = "abc";
    written.entries.push_back({1, "", ""});
    ASSERT_TRUE(written.save());
    EXPECT_EQ(read_bytes(path), WORKED_EXAMPLE);

    Settings read(path);
    ASSERT_TRUE(read.load());
    EXPECT_EQ(read.lock_at_startup, 1);
    EXPECT_EQ(read.boss_password, "");
    EXPECT_EQ(read.follower_password, "");
    EXPECT_EQ(read.main_label, "abc");
    EXPECT_EQ(read.main_program, "");
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].is_separator, 1);
}

TEST_F(SettingsFile, FreshRecordIsTheFirstFile)
{
    ASSERT_TRUE(Settings(path).save());
    EXPECT_EQ(read_bytes(path), FRESH_RECORD);
    EXPECT_EQ(FRESH_RECORD.size(), 26u);
}

TEST_F(SettingsFile, EveryMemberButThePathSurvivesARoundTrip)
{
    Settings written(path);
    written.lock_at_startup = -7;
    written.boss_password = "\x90\x65\x95\xFB"; // 親方
    written.follower_password = "ko";
    written.main_label = "\x83\x81\x83\x43\x83\x93"; // メイン
    written.main_program = "C:\\\x95\x5C\\main.exe";
    written.entries = {{0, "Notepad", "C:\\windows\\notepad.exe"}, {2, "", ""}, {0, "", "x.exe"}};
    ASSERT_TRUE(written.save());

    Settings read(path);
    ASSERT_TRUE(read.load());
    EXPECT_TRUE(same_record(read, written));
}

struct LoadCase {
    const char* name;
    const char* bytes;
    bool loads;
};

const LoadCase LOAD_CASES[] = {
    {"empty current version", "4B 49 56 4C 33 01 00 00 00 00 00 00 00 00 00 00 00 00", true},
    {"empty older version", "4B 49 56 4C 32 00 00 00 00 00 00 00 00 00", true},
    {"extra bytes after the last entry", "4B 49 56 4C 33 01 00 00 00 00 00 00 00 00 00 00 00 00 FF FF", true},
    {"another version digit", "4B 49 56 4C 34 01 00 00 00 00 00 00 00 00 00 00 00 00", false},
    {"lower case magic", "6B 69 76 6C 33 01 00 00 00 00 00 00 00 00 00 00 00 00", false},
    {"magic cut short", "4B 49 56 4C", false},
    {"empty file", "", false},
    {"current version cut by one byte", "4B 49 56 4C 33 01 00 00 00 00 00 00 00 00 00 00 00", false},
};

TEST_F(SettingsFile, LoadAcceptsBothVersionsAndNothingElse)
{
    for (const LoadCase& c : LOAD_CASES) {
        write_bytes(path, hex(c.bytes));
        Settings settings(path);
        EXPECT_EQ(settings.load(), c.loads) << c.name;
        if (c.loads) {
            // Loaded passwords replace the defaults, even when empty.
            EXPECT_EQ(settings.boss_password, "") << c.name;
            EXPECT_EQ(settings.follower_password, "") << c.name;
        }
    }
}

TEST_F(SettingsFile, OlderVersionKeepsTheStartUpOption)
{
    write_bytes(path, hex("4B 49 56 4C 32  00 00  00 00  00 00  00 00  00"));
    Settings settings(path);
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.lock_at_startup, 0);
    settings.lock_at_startup = 1;
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.lock_at_startup, 1);
}

TEST_F(SettingsFile, MissingFileDoesNotLoad)
{
    Settings settings(path);
    EXPECT_FALSE(settings.load());
    EXPECT_EQ(settings.boss_password, DEFAULT_PASSWORD);
}

// Lock 1, boss "ab", follower "c", label "d", program "e", a program entry and a separator.
const Bytes SAMPLE = hex("4B 49 56 4C 33  01 00 00 00  02 00 16 26  01 00 36  01 00 46  01 00 56  02"
                         "  00 00 00 00  01 00 87  01 00 97  01 00 00 00  00 00  00 00");

TEST_F(SettingsFile, FileCutAnywhereFailsKeepingWhatWasRead)
{
    // Offsets at which each field of SAMPLE is complete.
    constexpr std::size_t LOCK_END = 9, BOSS_END = 13, FOLLOWER_END = 16, LABEL_END = 19, PROGRAM_END = 22,
                          FIRST_ENTRY_END = 33;
    ASSERT_EQ(SAMPLE.size(), 41u);
    for (std::size_t cut = 0; cut < SAMPLE.size(); ++cut) {
        write_bytes(path, Bytes(SAMPLE.begin(), SAMPLE.begin() + static_cast<std::ptrdiff_t>(cut)));
        Settings settings(path);
        SCOPED_TRACE("cut at " + std::to_string(cut));
        EXPECT_FALSE(settings.load());
        EXPECT_EQ(settings.lock_at_startup, cut >= LOCK_END ? 1 : 0);
        EXPECT_EQ(settings.boss_password, cut >= BOSS_END ? "ab" : "tovi");
        EXPECT_EQ(settings.follower_password, cut >= FOLLOWER_END ? "c" : "tovi");
        EXPECT_EQ(settings.main_label, cut >= LABEL_END ? "d" : "");
        EXPECT_EQ(settings.main_program, cut >= PROGRAM_END ? "e" : "");
        EXPECT_EQ(settings.entries.size(), cut >= FIRST_ENTRY_END ? 1u : 0u);
    }
    write_bytes(path, SAMPLE);
    Settings whole(path);
    EXPECT_TRUE(whole.load());
    EXPECT_EQ(whole.entries.size(), 2u);
}

// A record far larger than one read, with long strings across the reads' boundaries.
void fill_large(Settings& settings)
{
    for (int i = 0; i < 40; ++i)
        settings.entries.push_back({i % 5 == 4, std::string(20000 + 1000 * i, static_cast<char>('a' + i % 26)),
            "C:\\program" + std::to_string(i) + ".exe"});
}

TEST_F(SettingsFile, FileLargerThanOneReadLoadsAsThePlainReaderSays)
{
    Settings large(path);
    fill_large(large);
    ASSERT_TRUE(large.save());
    const Bytes image = read_bytes(path);
    ASSERT_GT(image.size(), 4 * IO_BUFFER_BYTES);

    std::vector<std::pair<std::string, Bytes>> variants{{"whole", image}};
    for (const std::size_t cut :
        {IO_BUFFER_BYTES - 1, IO_BUFFER_BYTES, IO_BUFFER_BYTES + 1, 3 * IO_BUFFER_BYTES + 5, image.size() - 1})
        variants.emplace_back("cut at " + std::to_string(cut), Bytes(image.begin(), image.begin() + cut));
    // Zero bytes in strings that go on past a read: the text ends, the field does not.
    Bytes zeroed = image;
    for (const std::size_t at : {IO_BUFFER_BYTES - 2, 2 * IO_BUFFER_BYTES + 9})
        zeroed[at] = 0;
    variants.emplace_back("zero bytes", zeroed);

    for (const auto& [name, bytes] : variants) {
        write_bytes(path, bytes);
        Settings loaded(path);
        Settings expected(path);
        EXPECT_EQ(loaded.load(), reference::load(expected, path.c_str())) << name;
        EXPECT_TRUE(same_record(loaded, expected)) << name;
    }
    Settings whole(path);
    write_bytes(path, image);
    ASSERT_TRUE(whole.load());
    EXPECT_TRUE(same_record(whole, large));
}

TEST_F(SettingsFile, FieldsAtTheEdgeOfTheFirstReadLoadAsSaved)
{
    // Three entries of the longest labels come first; the fourth label grows byte by byte, so
    // that its end, and then each field after it, lies before, at and past the first read's end.
    const SoftwareEntry full{0, std::string(MAX_STRING_BYTES, 'F'), ""};
    for (std::size_t label = MAX_STRING_BYTES - 60; label <= MAX_STRING_BYTES; ++label) {
        Settings saved(path);
        saved.entries = {full, full, full, {0, std::string(label, 'L'), "p.exe"}, {1, "s", ""}, {0, "m", "q.exe"}};
        ASSERT_TRUE(saved.save());
        Settings loaded(path);
        EXPECT_TRUE(loaded.load()) << label;
        EXPECT_TRUE(same_record(loaded, saved)) << label;
    }
}

TEST_F(SettingsFile, ReadsThatStopShortGiveTheSameRecord)
{
    // Every field split across reads in every way: whole, cut anywhere, with a zero byte.
    std::vector<Bytes> files{SAMPLE, hex("4B 49 56 4C 33  00 00 00 00  03 00 16 00 26  01 00 36  00 00  00 00  00")};
    for (std::size_t cut = 0; cut < SAMPLE.size(); ++cut)
        files.emplace_back(SAMPLE.begin(), SAMPLE.begin() + static_cast<std::ptrdiff_t>(cut));
    for (const std::size_t bytes_per_read : {1, 2, 3, 5}) {
        for (const Bytes& file : files) {
            write_bytes(path, file);
            Settings whole(path);
            Settings pieces(path);
            FailingFiles stingy(platform_files());
            stingy.bytes_per_read = bytes_per_read;
            EXPECT_EQ(pieces.load(stingy), whole.load()) << bytes_per_read << " per read, " << file.size() << " bytes";
            EXPECT_TRUE(same_record(pieces, whole)) << bytes_per_read << " per read, " << file.size() << " bytes";
        }
    }
}

TEST_F(SettingsFile, CountBeyondTheEntriesFailsKeepingTheCompleteOnes)
{
    Bytes bytes = SAMPLE;
    bytes[22] = 3;
    write_bytes(path, bytes);
    Settings settings(path);
    EXPECT_FALSE(settings.load());
    ASSERT_EQ(settings.entries.size(), 2u);
    EXPECT_EQ(settings.entries[0].label, "x");
    EXPECT_EQ(settings.entries[1].is_separator, 1);
}

TEST_F(SettingsFile, ZeroByteEndsAStringButNotTheField)
{
    // Boss password "a", 00, "b" as stored; the follower password after it is "c".
    write_bytes(path, hex("4B 49 56 4C 33  00 00 00 00  03 00 16 00 26  01 00 36  00 00  00 00  00"));
    Settings settings(path);
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.boss_password, "a");
    EXPECT_EQ(settings.follower_password, "c");
}

TEST_F(SettingsFile, HoldsUpTo255EntriesAndRefusesMore)
{
    Settings settings(path);
    settings.entries.assign(MAX_ENTRIES, SoftwareEntry{0, "label", "program.exe"});
    ASSERT_TRUE(settings.save());
    const Bytes full = read_bytes(path);
    EXPECT_EQ(full[25], 0xFF);

    Settings read(path);
    ASSERT_TRUE(read.load());
    EXPECT_EQ(read.entries.size(), MAX_ENTRIES);

    settings.entries.push_back({1, "", ""});
    EXPECT_FALSE(settings.save());
    EXPECT_EQ(read_bytes(path), full);
}

TEST_F(SettingsFile, HoldsStringsUpTo65535BytesAndRefusesLonger)
{
    Settings settings(path);
    settings.entries.push_back({0, std::string(MAX_STRING_BYTES, 'x'), "p"});
    ASSERT_TRUE(settings.save());
    const Bytes longest = read_bytes(path);
    Settings read(path);
    ASSERT_TRUE(read.load());
    EXPECT_EQ(read.entries[0].label.size(), MAX_STRING_BYTES);

    const std::string too_long(MAX_STRING_BYTES + 1, 'x');
    for (std::string* member : {&settings.boss_password, &settings.follower_password, &settings.main_label,
             &settings.main_program, &settings.entries[0].label, &settings.entries[0].program}) {
        const std::string kept = *member;
        *member = too_long;
        EXPECT_FALSE(settings.save());
        EXPECT_EQ(read_bytes(path), longest);
        *member = kept;
    }
    EXPECT_EQ(dir.names(), std::vector<std::string>{"kiv2.bin"});
}

TEST_F(SettingsFile, ShorterContentReplacesTheWholeFile)
{
    Settings settings(path);
    settings.entries.assign(10, SoftwareEntry{0, "long label", "C:\\long\\program.exe"});
    ASSERT_TRUE(settings.save());
    settings.entries.clear();
    ASSERT_TRUE(settings.save());
    EXPECT_EQ(read_bytes(path), FRESH_RECORD);
}

TEST_F(SettingsFile, FailedSaveLeavesThePreviousFileAndNoTemporary)
{
    Settings small(path);
    small.entries.push_back({0, "Notepad", "notepad.exe"});
    Settings large(path);
    fill_large(large);
    // A record of the settings tool's size goes out in one write, a larger one in several.
    const std::pair<const Settings*, bool> records[] = {{&small, true}, {&large, false}};
    for (const auto& [settings, in_one_write] : records) {
        write_bytes(path, WORKED_EXAMPLE);
        FailingFiles counter(platform_files());
        ASSERT_TRUE(settings->save(counter));
        const int writes = counter.writes;
        EXPECT_EQ(writes == 1, in_one_write) << writes;

        for (int failing = 0; failing < writes; ++failing) {
            write_bytes(path, WORKED_EXAMPLE);
            FailingFiles files(platform_files());
            files.failing_write = failing;
            EXPECT_FALSE(settings->save(files)) << "write " << failing;
            EXPECT_EQ(files.writes, failing + 1) << "nothing is written after a failed write";
            EXPECT_EQ(read_bytes(path), WORKED_EXAMPLE) << "write " << failing;
            EXPECT_EQ(dir.names(), std::vector<std::string>{"kiv2.bin"}) << "write " << failing;
        }
    }

    FailingFiles unflushed(platform_files());
    unflushed.fail_flush = true;
    EXPECT_FALSE(small.save(unflushed));
    FailingFiles unreplaced(platform_files());
    unreplaced.fail_replace = true;
    EXPECT_FALSE(small.save(unreplaced));
    EXPECT_EQ(read_bytes(path), WORKED_EXAMPLE);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"kiv2.bin"});
}

TEST_F(SettingsFile, SaveIntoAMissingDirectoryFails)
{
    Settings settings((dir / "missing" / "kiv2.bin").string());
    EXPECT_FALSE(settings.save());
}

TEST(ZeroByteAt, FindsTheFirstZeroOnEitherSideOfEachSixteenByteBlock)
{
    for (const std::size_t length : {0, 1, 15, 16, 17, 31, 32, 40, 255}) {
        const Bytes none(length, 0x41);
        EXPECT_EQ(zero_byte_at(none.data(), length), length) << length;
        for (std::size_t at = 0; at < length; ++at) {
            Bytes bytes = none;
            bytes[at] = 0;
            if (at + 1 < length)
                bytes[length - 1] = 0;
            EXPECT_EQ(zero_byte_at(bytes.data(), length), at) << length << " " << at;
        }
    }
}

TEST(SwapNibbles, ExchangesTheHalvesOfEachByte)
{
    Bytes bytes = hex("5C 95 00 FF 10");
    swap_nibbles(bytes.data(), bytes.size());
    EXPECT_EQ(bytes, hex("C5 59 00 FF 01"));
}

} // namespace
