// A report-view list control (SysListView32) through the few operations a dialog needs. It
// refers to the control; the dialog owns the window.
#pragma once

#include <windows.h>

#include <string>

class ListView {
public:
    static constexpr int NO_ROW = -1;

    ListView() = default;
    explicit ListView(HWND window) : window_(window) {}

    HWND window() const { return window_; }

    void add_column(int index, const char* title, int width) const;
    // Adds `style` to the extended list-view style.
    void add_extended_style(DWORD style) const;

    int count() const;
    // The first selected row, or NO_ROW.
    int selected() const;
    void set_selected(int row, bool selected) const;

    // Inserts a row at `index` with only the text of column 0 set.
    void insert(int index, const std::string& text) const;
    void set_text(int row, int column, const std::string& text) const;
    void remove(int row) const;
    void clear() const;

private:
    HWND window_ = nullptr;
};
