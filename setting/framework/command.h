// Handler tables: which member function of a dialog runs for which control and notification.
// One table per kind of message (WM_COMMAND codes, WM_NOTIFY codes), searched in order.
#pragma once

#include <span>

template <class D> struct Command {
    int id;
    int code;
    void (D::*run)();
};

// Runs the first handler of `table` for (`id`, `code`); false when there is none.
template <class D> bool dispatch(D& dialog, std::span<const Command<D>> table, int id, int code)
{
    for (const Command<D>& command : table) {
        if (command.id == id && command.code == code) {
            (dialog.*command.run)();
            return true;
        }
    }
    return false;
}
