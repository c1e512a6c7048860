// The password prompt that decides the access level (dialog 129).
#pragma once

#include <string>

#include "dialog.h"

class LoginDialog final : public Dialog {
public:
    LoginDialog();

    // What was typed, read when the dialog ends with OK.
    std::string entered_password;

protected:
    bool exchange(DataExchange& dx) override;
};
