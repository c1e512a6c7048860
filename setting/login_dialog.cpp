// The login dialog: OK and cancel keep the dialog layer's standard handling.
#include "login_dialog.h"

#include "data_exchange.h"
#include "resource.h"

LoginDialog::LoginDialog() : Dialog(IDD_LOGIN) {}

bool LoginDialog::exchange(DataExchange& dx)
{
    return dx.text(IDC_LOGIN_PASSWORD, entered_password);
}
