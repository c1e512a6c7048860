// The registered-software commands of the main dialog: each changes the entries through the
// list operations and then the rows of the list view in step, so row i shows entry i.
#include "main_dialog.h"

#include "message.h"
#include "open_file_dialog.h"
#include "resource.h"
#include "setting_texts.h"

void MainDialog::fill_list()
{
    list_view.clear();
    for (std::size_t i = 0; i < settings.entries.size(); ++i)
        insert_row(static_cast<int>(i), settings.entries[i]);
}

void MainDialog::insert_row(int index, const SoftwareEntry& entry)
{
    list_view.insert(index, row_label(entry));
    if (!entry.is_separator)
        list_view.set_text(index, 1, entry.program);
}

bool MainDialog::changed(ListEdit result)
{
    switch (result) {
    case ListEdit::changed:
        return true;
    case ListEdit::unchanged:
        return false;
    case ListEdit::missing_text:
        show_message(IDS_MISSING_TEXT, MB_ICONINFORMATION, window());
        return false;
    case ListEdit::no_selection:
        show_message(IDS_SELECT_ITEM, MB_ICONINFORMATION, window());
        return false;
    case ListEdit::full:
        show_message(IDS_LIST_FULL, MB_ICONINFORMATION, window());
        return false;
    }
    return false;
}

void MainDialog::rewrite_row(int row)
{
    const SoftwareEntry& entry = settings.entries[static_cast<std::size_t>(row)];
    list_view.set_text(row, 0, row_label(entry));
    list_view.set_text(row, 1, row_program(entry));
}

void MainDialog::move_selection(int from, int to)
{
    list_view.set_selected(from, false);
    list_view.set_selected(to, true);
}

void MainDialog::add()
{
    if (!read_controls())
        return;
    const int end = list_view.count();
    if (!changed(add_entry(settings.entries, edit_label, edit_program)))
        return;
    insert_row(end, settings.entries.back());
    edit_label.clear();
    edit_program.clear();
    show_values();
}

void MainDialog::overwrite()
{
    if (!read_controls())
        return;
    const int row = list_view.selected();
    if (!changed(overwrite_entry(settings.entries, row, edit_label, edit_program)))
        return;
    list_view.set_text(row, 0, edit_label);
    list_view.set_text(row, 1, edit_program);
    edit_label.clear();
    edit_program.clear();
    show_values();
}

void MainDialog::remove()
{
    const int row = list_view.selected();
    if (changed(delete_entry(settings.entries, row)))
        list_view.remove(row);
}

void MainDialog::up()
{
    const int row = list_view.selected();
    if (!changed(move_up(settings.entries, row)))
        return;
    rewrite_row(row);
    rewrite_row(row - 1);
    move_selection(row, row - 1);
}

void MainDialog::down()
{
    const int row = list_view.selected();
    if (!changed(move_down(settings.entries, row)))
        return;
    rewrite_row(row);
    rewrite_row(row + 1);
    move_selection(row, row + 1);
}

void MainDialog::separator()
{
    const int end = list_view.count();
    if (changed(add_separator(settings.entries)))
        insert_row(end, settings.entries.back());
}

void MainDialog::load_row()
{
    const int row = list_view.selected();
    if (row == ListView::NO_ROW || !read_controls())
        return;
    const SoftwareEntry& entry = settings.entries[static_cast<std::size_t>(row)];
    edit_label = entry.is_separator ? "" : entry.label;
    edit_program = entry.is_separator ? "" : entry.program;
    show_values();
}

void MainDialog::browse_program()
{
    if (!read_controls())
        return;
    if (const std::optional<std::string> path = ask_open_file(window(), FILTER_ALL_FILES)) {
        edit_program = *path;
        show_values();
    }
}
