// The list-view operations, each one list-view message.
#include "list_view.h"

#include <commctrl.h>

void ListView::add_column(int index, const char* title, int width) const
{
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    SendMessageA(window_, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void ListView::add_extended_style(DWORD style) const
{
    const auto current = static_cast<DWORD>(SendMessageA(window_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    SendMessageA(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, current | style);
}

int ListView::count() const
{
    return static_cast<int>(SendMessageA(window_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::selected() const
{
    return static_cast<int>(SendMessageA(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::set_selected(int row, bool selected) const
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(window_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::insert(int index, const std::string& text) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(window_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ListView::set_text(int row, int column, const std::string& text) const
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(window_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::remove(int row) const
{
    SendMessageA(window_, LVM_DELETEITEM, row, 0);
}

void ListView::clear() const
{
    SendMessageA(window_, LVM_DELETEALLITEMS, 0, 0);
}
