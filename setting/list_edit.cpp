// The list-editing commands on the entries.
#include "list_edit.h"

#include <utility>

#include "setting_texts.h"

namespace {

bool is_row(const std::vector<SoftwareEntry>& entries, int selected)
{
    return selected >= 0 && static_cast<std::size_t>(selected) < entries.size();
}

ListEdit append(std::vector<SoftwareEntry>& entries, SoftwareEntry entry)
{
    if (entries.size() >= MAX_ENTRIES)
        return ListEdit::full;
    entries.push_back(std::move(entry));
    return ListEdit::changed;
}

} // namespace

ListEdit add_entry(std::vector<SoftwareEntry>& entries, const std::string& label, const std::string& program)
{
    if (label.empty() || program.empty())
        return ListEdit::missing_text;
    return append(entries, {0, label, program});
}

ListEdit add_separator(std::vector<SoftwareEntry>& entries)
{
    return append(entries, {1, "", ""});
}

ListEdit overwrite_entry(
    std::vector<SoftwareEntry>& entries, int selected, const std::string& label, const std::string& program)
{
    if (label.empty() || program.empty())
        return ListEdit::missing_text;
    if (!is_row(entries, selected))
        return ListEdit::no_selection;
    entries[static_cast<std::size_t>(selected)] = {0, label, program};
    return ListEdit::changed;
}

ListEdit delete_entry(std::vector<SoftwareEntry>& entries, int selected)
{
    if (!is_row(entries, selected))
        return ListEdit::no_selection;
    entries.erase(entries.begin() + selected);
    return ListEdit::changed;
}

ListEdit move_up(std::vector<SoftwareEntry>& entries, int selected)
{
    if (!is_row(entries, selected))
        return ListEdit::no_selection;
    if (selected == 0)
        return ListEdit::unchanged;
    std::swap(entries[static_cast<std::size_t>(selected) - 1], entries[static_cast<std::size_t>(selected)]);
    return ListEdit::changed;
}

ListEdit move_down(std::vector<SoftwareEntry>& entries, int selected)
{
    if (!is_row(entries, selected))
        return ListEdit::no_selection;
    if (static_cast<std::size_t>(selected) + 1 == entries.size())
        return ListEdit::unchanged;
    std::swap(entries[static_cast<std::size_t>(selected)], entries[static_cast<std::size_t>(selected) + 1]);
    return ListEdit::changed;
}

std::string row_label(const SoftwareEntry& entry)
{
    return entry.is_separator ? TEXT_SEPARATOR_ROW : entry.label;
}

std::string row_program(const SoftwareEntry& entry)
{
    return entry.is_separator ? "" : entry.program;
}
