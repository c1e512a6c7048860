// The message-box answering thread.
#include "message_box_answerer.h"

#include "gui_probe.h"

namespace {

// Where a message box keeps its icon.
constexpr int MESSAGE_ICON_ID = 0x440;

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer() : thread_([this] { watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    stop_ = true;
    thread_.join();
}

std::vector<MessageBoxAnswerer::Box> MessageBoxAnswerer::boxes() const
{
    const std::lock_guard lock(mutex_);
    return boxes_;
}

void MessageBoxAnswerer::watch()
{
    while (!stop_) {
        HWND box = nullptr;
        const auto shown = [&] { return (box = find_message_box(GetCurrentProcessId())) && IsWindowVisible(box); };
        if (!wait_until([&] { return stop_ || shown(); }) || stop_)
            continue;
        Box seen{window_text(box), message_box_text(box),
            reinterpret_cast<HICON>(SendDlgItemMessageA(box, MESSAGE_ICON_ID, STM_GETICON, 0, 0))};
        {
            const std::lock_guard lock(mutex_);
            boxes_.push_back(seen);
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        wait_until([box] { return !IsWindow(box); });
    }
}
