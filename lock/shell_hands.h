// Hides, shows, disables and enables the shell's windows without the bar ever waiting for the
// shell. ShowWindow and EnableWindow on another program's window send it messages and wait for
// its thread to answer; a hung Explorer would freeze the bar, its password dialog included.
// ShowWindowAsync alone would not do: EnableWindow has no such form (it sends WM_ENABLE), and
// a mark may only come off a window once it has really been handed back. So the calls run in
// order on a worker thread of their own, which may wait as long as the shell takes.
#pragma once

#include <windows.h>

#include <memory>

enum class ShellAction { hide, show, disable, enable };

class ShellHands {
public:
    ShellHands() = default;
    ShellHands(const ShellHands&) = delete;
    ShellHands& operator=(const ShellHands&) = delete;
    // Lets the worker finish (see finish) and leaves it.
    ~ShellHands();

    // Done at once on a window of this thread (the worker would wait for this thread, which
    // may be waiting for the worker); queued for the worker otherwise. The same request as
    // the last one still waiting for that window is not queued twice: a hung window is asked
    // once, not on every clock tick.
    void act(HWND window, ShellAction action);
    // Waits until everything queued is done or `timeout_ms` have passed; true when done. What
    // was not done by then keeps its mark, so the next start hands it back.
    bool finish(DWORD timeout_ms);

    struct Queue;

private:
    // Called with the queue locked.
    bool start_worker();

    // Shared with the worker, which may outlive this object when a window never answers.
    std::shared_ptr<Queue> queue_;
};
