// Switches the hot keys of Sticky Keys, Filter Keys, Toggle Keys, High Contrast and Mouse Keys
// off while locked and puts back exactly what was there before. Changed for this session only, never in the profile: a
// program that ends abnormally leaves them off until the user logs off, no longer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

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
        if (setting.dwFlags != before.dwFlags && SystemParametersInfoA(SET, sizeof setting, &setting, 0)) {
            saved_ = before;
            keep_scheme_name();
        }
    }
    void restore()
    {
        if (saved_) {
            point_at_scheme_name();
            SystemParametersInfoA(SET, sizeof *saved_, &*saved_, 0);
        }
        saved_.reset();
    }

private:
    // High Contrast names its colour scheme through a pointer into the system's memory, which
    // the next call may reuse: the name is kept, and the saved setting points at the copy.
    static constexpr bool has_scheme = requires(Setting setting) { setting.lpszDefaultScheme; };
    void keep_scheme_name()
    {
        if constexpr (has_scheme)
            scheme_ = saved_->lpszDefaultScheme ? std::optional<std::string>(saved_->lpszDefaultScheme) : std::nullopt;
    }
    void point_at_scheme_name()
    {
        if constexpr (has_scheme)
            saved_->lpszDefaultScheme = scheme_ ? scheme_->data() : nullptr;
    }

    std::optional<Setting> saved_;
    std::optional<std::string> scheme_;
};

class AccessHotKeys {
public:
    void switch_off();
    void restore();

private:
    SavedHotKey<STICKYKEYS, SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS> sticky_;
    SavedHotKey<FILTERKEYS, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS> filter_;
    SavedHotKey<TOGGLEKEYS, SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS> toggle_;
    SavedHotKey<HIGHCONTRASTA, SPI_GETHIGHCONTRAST, SPI_SETHIGHCONTRAST> high_contrast_;
    SavedHotKey<MOUSEKEYS, SPI_GETMOUSEKEYS, SPI_SETMOUSEKEYS> mouse_;
};
