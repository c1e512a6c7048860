// Replaces one of the two passwords (dialog 131): shows the current one in clear text and
// read-only, asks for the new one masked, and hands it back to the caller.
#pragma once

#include <string>

#include "dialog.h"

class PasswordChangeDialog final : public Dialog {
public:
    PasswordChangeDialog();

    // Nonzero: the boss password; 0: the follower password.
    int target_level = 0;
    // Valid after the dialog ended with IDOK: not empty, at most 255 bytes.
    std::string new_password;
    std::string current_password;

protected:
    bool exchange(DataExchange& dx) override;
    BOOL on_init() override;
    void on_ok() override;
};
