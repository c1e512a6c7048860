// A modal dialog built from a dialog template of the program's resources. The dialog
// procedure keeps `this` in DWLP_USER from WM_INITDIALOG on and forwards every message to the
// virtual handlers below; a derived dialog overrides those it needs. A dialog that its
// initialisation neither shows nor moves opens centred over its owner, or on the screen.
#pragma once

#include <windows.h>

class DataExchange;

class Dialog {
public:
    explicit Dialog(int template_id) : template_id_(template_id) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog() = default;

    // Runs the dialog modally and returns the code it was ended with (-1 when the template
    // could not be used).
    INT_PTR run(HWND owner = nullptr);

    // Ends the modal run with `result`. Called from on_init, the dialog never shows.
    void end(INT_PTR result);

    HWND window() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }

protected:
    // Moves the values between members and controls in the direction that `dx` says; true
    // when every step completed. The default has nothing to move.
    virtual bool exchange(DataExchange& dx);

    // Runs exchange() into the controls (false) or out of them (true).
    bool update_data(bool from_controls);

    // WM_INITDIALOG. The default puts the values into the controls and returns TRUE, so the
    // first tab stop gets the focus.
    virtual BOOL on_init();
    // IDOK: the default reads the controls and ends with IDOK when that completed.
    virtual void on_ok();
    // IDCANCEL (also Esc and the close box): the default ends with IDCANCEL.
    virtual void on_cancel();
    // WM_COMMAND, before IDOK and IDCANCEL are looked at; true when handled.
    virtual bool on_command(int id, int code);
    // WM_NOTIFY from control `id`; true when handled. The notification's result is 0.
    virtual bool on_notify(int id, int code);
    // Any other message; true when handled, with `result` what the dialog procedure returns
    // for it (TRUE for most messages; the value itself for WM_QUERYDRAGICON and its kind).
    virtual bool on_message(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result);

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR handle(UINT message, WPARAM wparam, LPARAM lparam);

    int template_id_;
    HWND window_ = nullptr;
};
