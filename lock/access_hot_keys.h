// Switches the hot keys of Sticky Keys, Filter Keys and Toggle Keys off while locked and puts
// back exactly what was there before. Changed for this session only, never in the profile: a
// program that ends abnormally leaves them off until the user logs off, no longer.
#pragma once

#include <windows.h>

#include <optional>

#include "hot_key_flags.h"

template <typename Setting, UINT GET, UINT SET> class SavedHotKey {
public:
    void switch_off()
    {
        Setting setting{};
        setting.cbSize = sizeof setting;
        if (!SystemParametersInfoA(GET, sizeof setting, &setting, 0))
            return;
        const Setting before = setting;
        setting.dwFlags = without_hot_key(setting.dwFlags);
        // What did not change is not put back either: the user may change it meanwhile.
        if (setting.dwFlags != before.dwFlags && SystemParametersInfoA(SET, sizeof setting, &setting, 0))
            saved_ = before;
    }
    void restore()
    {
        if (saved_)
            SystemParametersInfoA(SET, sizeof *saved_, &*saved_, 0);
        saved_.reset();
    }

private:
    std::optional<Setting> saved_;
};

class AccessHotKeys {
public:
    void switch_off();
    void restore();

private:
    SavedHotKey<STICKYKEYS, SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS> sticky_;
    SavedHotKey<FILTERKEYS, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS> filter_;
    SavedHotKey<TOGGLEKEYS, SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS> toggle_;
};
