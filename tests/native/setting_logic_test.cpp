// The settings tool's window-free rules: list edits and their refusals, the login decision
// and Open File filters.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "file_filter.h"
#include "list_edit.h"
#include "login.h"
#include "same_record.h"
#include "setting_texts.h"

namespace {

using Entries = std::vector<SoftwareEntry>;

const SoftwareEntry A{0, "a", "a.exe"};
const SoftwareEntry B{0, "b", "b.exe"};
const SoftwareEntry SEP{1, "", ""};
// A separator from a file, whose texts mean nothing.
const SoftwareEntry OLD_SEP{2, "x", "x.exe"};

struct EditCase {
    const char* name;
    Entries before;
    std::function<ListEdit(Entries&)> edit;
    ListEdit result;
    Entries after; // unused unless `result` is `changed`: the entries stay as they were
};

const EditCase EDITS[] = {
    {"add appends", {A}, [](Entries& e) { return add_entry(e, "b", "b.exe"); }, ListEdit::changed, {A, B}},
    {"add to an empty list", {}, [](Entries& e) { return add_entry(e, "a", "a.exe"); }, ListEdit::changed, {A}},
    {"add takes blanks as text", {}, [](Entries& e) { return add_entry(e, " ", " "); }, ListEdit::changed,
        {{0, " ", " "}}},
    {"add without label", {A}, [](Entries& e) { return add_entry(e, "", "b.exe"); }, ListEdit::missing_text, {}},
    {"add without program", {A}, [](Entries& e) { return add_entry(e, "b", ""); }, ListEdit::missing_text, {}},
    {"separator appends whatever is selected", {A, B}, [](Entries& e) { return add_separator(e); }, ListEdit::changed,
        {A, B, SEP}},
    {"separators may follow one another", {SEP}, [](Entries& e) { return add_separator(e); }, ListEdit::changed,
        {SEP, SEP}},
    {"overwrite replaces the selected entry", {A, A}, [](Entries& e) { return overwrite_entry(e, 1, "b", "b.exe"); },
        ListEdit::changed, {A, B}},
    {"overwrite turns a separator into an entry", {OLD_SEP},
        [](Entries& e) { return overwrite_entry(e, 0, "b", "b.exe"); }, ListEdit::changed, {B}},
    {"overwrite checks the text before the selection", {A},
        [](Entries& e) { return overwrite_entry(e, NO_SELECTION, "", "b.exe"); }, ListEdit::missing_text, {}},
    {"overwrite without selection", {A}, [](Entries& e) { return overwrite_entry(e, NO_SELECTION, "b", "b.exe"); },
        ListEdit::no_selection, {}},
    {"overwrite on an empty list", {}, [](Entries& e) { return overwrite_entry(e, 0, "b", "b.exe"); },
        ListEdit::no_selection, {}},
    {"delete moves later entries up", {A, SEP, B}, [](Entries& e) { return delete_entry(e, 1); }, ListEdit::changed,
        {A, B}},
    {"delete the only entry", {A}, [](Entries& e) { return delete_entry(e, 0); }, ListEdit::changed, {}},
    {"delete without selection", {A}, [](Entries& e) { return delete_entry(e, NO_SELECTION); }, ListEdit::no_selection,
        {}},
    {"delete on an empty list", {}, [](Entries& e) { return delete_entry(e, 0); }, ListEdit::no_selection, {}},
    {"up swaps whole records", {A, OLD_SEP}, [](Entries& e) { return move_up(e, 1); }, ListEdit::changed, {OLD_SEP, A}},
    {"up on the first row", {A, B}, [](Entries& e) { return move_up(e, 0); }, ListEdit::unchanged, {}},
    {"up without selection", {A, B}, [](Entries& e) { return move_up(e, NO_SELECTION); }, ListEdit::no_selection, {}},
    {"down swaps whole records", {OLD_SEP, A, B}, [](Entries& e) { return move_down(e, 0); }, ListEdit::changed,
        {A, OLD_SEP, B}},
    {"down on the last row", {A, B}, [](Entries& e) { return move_down(e, 1); }, ListEdit::unchanged, {}},
    {"down without selection", {A}, [](Entries& e) { return move_down(e, NO_SELECTION); }, ListEdit::no_selection, {}},
    {"down on an empty list", {}, [](Entries& e) { return move_down(e, 0); }, ListEdit::no_selection, {}},
};

TEST(ListEdits, ChangeOrRefuse)
{
    for (const EditCase& c : EDITS) {
        Entries entries = c.before;
        EXPECT_EQ(c.edit(entries), c.result) << c.name;
        EXPECT_EQ(entries, c.result == ListEdit::changed ? c.after : c.before) << c.name;
    }
}

TEST(ListEdits, TheFileBoundRefusesThe256thEntry)
{
    const std::function<ListEdit(Entries&)> appends[] = {
        [](Entries& e) { return add_entry(e, "b", "b.exe"); },
        [](Entries& e) { return add_separator(e); },
    };
    for (const auto& append : appends) {
        Entries entries(MAX_ENTRIES - 1, A);
        EXPECT_EQ(append(entries), ListEdit::changed);
        ASSERT_EQ(entries.size(), MAX_ENTRIES);
        const Entries full = entries;
        EXPECT_EQ(append(entries), ListEdit::full);
        EXPECT_EQ(entries, full);
        // Editing in place still works on a full list.
        EXPECT_EQ(overwrite_entry(entries, 254, "b", "b.exe"), ListEdit::changed);
        EXPECT_EQ(delete_entry(entries, 0), ListEdit::changed);
        EXPECT_EQ(append(entries), ListEdit::changed);
    }
}

TEST(ListEdits, RowTexts)
{
    EXPECT_EQ(row_label(A), "a");
    EXPECT_EQ(row_program(A), "a.exe");
    for (const SoftwareEntry& separator : {SEP, OLD_SEP}) {
        EXPECT_EQ(row_label(separator), TEXT_SEPARATOR_ROW);
        EXPECT_EQ(row_program(separator), "");
    }
}

struct LoginCase {
    const char* name;
    std::string entered;
    std::string boss;
    std::string follower;
    std::optional<int> level;
};

const LoginCase LOGINS[] = {
    {"boss", "boss", "boss", "follower", ACCESS_BOSS},
    {"follower", "follower", "boss", "follower", ACCESS_FOLLOWER},
    {"boss first when both are equal", "same", "same", "same", ACCESS_BOSS},
    {"empty stored password", "", "boss", "", ACCESS_FOLLOWER},
    {"empty entry against stored ones", "", "boss", "follower", std::nullopt},
    {"case counts", "Boss", "boss", "follower", std::nullopt},
    // "ｂｏｓｓ" in code page 932
    {"full-width letters count", "\x82\x82\x82\x8f\x82\x93\x82\x93", "boss", "follower", std::nullopt},
    {"blanks count", "boss ", "boss", "follower", std::nullopt},
    {"a prefix is not enough", "bos", "boss", "follower", std::nullopt},
    {"double-byte password", "\x95\x5c", "\x95\x5c", "follower", ACCESS_BOSS},
};

TEST(Login, OneAttemptDecidesTheLevel)
{
    for (const LoginCase& c : LOGINS)
        EXPECT_EQ(access_level_for(c.entered, c.boss, c.follower), c.level) << c.name;
}

TEST(FileFilter, BarsBecomeNulsButNotTrailBytes)
{
    using namespace std::string_literals;
    EXPECT_EQ(file_filter("All(*.*)|*.*||", is_cp932_lead_byte), "All(*.*)\0*.*\0\0"s);
    // "ポ" is 83 7C: its trail byte looks like a bar.
    EXPECT_EQ(file_filter("\x83\x7C|*.x||", is_cp932_lead_byte), "\x83\x7C\0*.x\0\0"s);
}

} // namespace
