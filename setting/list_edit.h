// The editing commands of the registered-software list as operations on the entries alone;
// the main dialog mirrors each change in its list view.
#pragma once

#include <string>
#include <vector>

#include "settings.h"

// What a command did. Everything but `changed` leaves the entries as they were.
enum class ListEdit {
    changed,
    unchanged, // nothing to do: up on the first row, down on the last
    missing_text, // the label or the program is empty
    no_selection,
    full, // the file cannot hold another entry
};

inline constexpr int NO_SELECTION = -1;

// Appends an ordinary entry.
ListEdit add_entry(std::vector<SoftwareEntry>& entries, const std::string& label, const std::string& program);
// Appends a separator (is_separator 1, both texts empty).
ListEdit add_separator(std::vector<SoftwareEntry>& entries);
// Replaces the selected entry, a separator too, with an ordinary entry. Missing text is
// reported before a missing selection.
ListEdit overwrite_entry(
    std::vector<SoftwareEntry>& entries, int selected, const std::string& label, const std::string& program);
ListEdit delete_entry(std::vector<SoftwareEntry>& entries, int selected);
// Swaps the selected entry with the one before it (after it), which then holds the moved entry.
ListEdit move_up(std::vector<SoftwareEntry>& entries, int selected);
ListEdit move_down(std::vector<SoftwareEntry>& entries, int selected);

// What the two columns of the entry's row show.
std::string row_label(const SoftwareEntry& entry);
std::string row_program(const SoftwareEntry& entry);
