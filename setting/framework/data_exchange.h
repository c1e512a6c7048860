// Data exchange between a dialog's members and its controls, written as a chain that stops at
// the first step that fails:
//
//     return dx.text(IDC_NAME, name, 16) && dx.check(IDC_ENABLED, enabled);
//
// Text is held as bytes of the system's ANSI code page, and limits count bytes, so a
// full-width character counts two.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class DataExchange {
public:
    enum class Direction { to_controls, from_controls };

    // No limit on a text: nothing is sent to the edit and nothing is checked.
    static constexpr std::size_t NO_LIMIT = 0;

    DataExchange(HWND dialog, Direction direction) : dialog_(dialog), direction_(direction) {}

    bool from_controls() const { return direction_ == Direction::from_controls; }

    // Edit `id` and `value`. To the controls: sets the text in full, then limits what can be
    // typed or pasted to `limit` (EM_LIMITTEXT). From the controls: reads the text into
    // `value`; when it is longer than `limit` bytes, shows "%1 文字以内で入力してください。"
    // with %1 the limit, puts the focus on the edit with its whole text selected, and returns
    // false. `value` then holds the over-long text.
    bool text(int id, std::string& value, std::size_t limit = NO_LIMIT);

    // Check box `id` and `value`. To the controls: a value outside 0..2 is first set to 0, in
    // `value` as well, then becomes the check state. From the controls: the check state.
    bool check(int id, int& value);

private:
    HWND dialog_;
    Direction direction_;
};
