// Driving a real program from outside, as the shell or a user would: start it in a directory
// of its own, find its windows, read its message boxes, wait for states by polling, and end
// it by force if a test leaves it running.
#pragma once

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "scoped_handles.h"

inline constexpr DWORD POLL_MS = 20;
inline constexpr DWORD WAIT_MS = 10000;

// Answers what other threads have sent to windows of this one, and leaves posted messages in
// the queue: a program that shows, hides or talks to a window of the test waits for the
// test's thread to answer.
inline void answer_sent_messages()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// Handles everything this thread has been sent or posted: its hooks and its windows' input
// only run while it does.
inline void handle_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Polls `done` until it holds or `timeout_ms` have passed, answering sent messages meanwhile;
// true when it held.
inline bool wait_until(const std::function<bool()>& done, DWORD timeout_ms = WAIT_MS)
{
    const ULONGLONG end = GetTickCount64() + timeout_ms;
    for (;;) {
        answer_sent_messages();
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, POLL_MS, QS_SENDMESSAGE);
    }
}

// Polls `state` for `duration_ms` and tells whether it held all that time: how a test shows
// that something does not happen, in a bounded time.
inline bool holds_for(const std::function<bool()>& state, DWORD duration_ms)
{
    return !wait_until([&] { return !state(); }, duration_ms);
}

// Returns once the window and its children have painted themselves anew: the paints of another
// thread's windows are sent to that thread, and this waits until they are done.
inline void repaint_now(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

inline std::string directory_of_this_program()
{
    char program[MAX_PATH];
    const std::string path(program, GetModuleFileNameA(nullptr, program, MAX_PATH));
    return path.substr(0, path.rfind('\\'));
}

// Copies the file `name` built beside this test into `directory`, as `copy_name` when one is
// given; false when that fails.
inline bool copy_built_file(const std::string& name, const std::string& directory, const std::string& copy_name = {})
{
    const std::string copy = directory + "\\" + (copy_name.empty() ? name : copy_name);
    return CopyFileA((directory_of_this_program() + "\\" + name).c_str(), copy.c_str(), FALSE) != FALSE;
}

inline std::string window_text(HWND window)
{
    char text[1024];
    return std::string(text, static_cast<std::size_t>(GetWindowTextA(window, text, sizeof text)));
}

inline std::string class_name(HWND window)
{
    char name[256];
    return std::string(name, static_cast<std::size_t>(GetClassNameA(window, name, sizeof name)));
}

struct WindowSearch {
    DWORD process_id;
    std::vector<HWND> found;
};

inline BOOL CALLBACK collect_window_of(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.process_id)
        search.found.push_back(window);
    return TRUE;
}

// The top-level windows of a process, hidden ones included.
inline std::vector<HWND> windows_of(DWORD process_id)
{
    WindowSearch search{process_id, {}};
    EnumWindows(collect_window_of, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND find_window_of(DWORD process_id, const std::string& window_class, const std::string& title)
{
    for (HWND window : windows_of(process_id))
        if (class_name(window) == window_class && window_text(window) == title)
            return window;
    return nullptr;
}

// A visible dialog or message box of the process with this title, if one is up.
inline HWND find_dialog_of(DWORD process_id, const std::string& title)
{
    for (HWND window : windows_of(process_id))
        if (class_name(window) == "#32770" && IsWindowVisible(window) && window_text(window) == title)
            return window;
    return nullptr;
}

// A message box keeps its text in the static control 0xFFFF.
inline std::string message_box_text(HWND box)
{
    return window_text(GetDlgItem(box, 0xFFFF));
}

// What a program holds, read from outside.
struct Footprint {
    DWORD handles = 0;
    // Committed private memory. (Wine leaves PrivateUsage at 0 but keeps PagefileUsage, which
    // counts the same on Windows.)
    SIZE_T private_bytes = 0;
    // Its windows, child windows included: the user objects it makes most. (Wine counts no
    // user or GDI objects for a process.)
    std::size_t windows = 0;
};

inline BOOL CALLBACK count_child_window(HWND, LPARAM count)
{
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

// Wine reports no handle count for a process, but it does list the system's handles.
inline DWORD handle_count_of(DWORD process_id)
{
    using Query = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    while (query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0) {
        if (buffer.size() >= (1u << 28))
            return 0;
        buffer.resize(buffer.size() * 2);
    }
    const auto& table = *reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    DWORD count = 0;
    for (ULONG i = 0; i < table.Count; ++i)
        count += table.Handle[i].OwnerPid == process_id ? 1 : 0;
    return count;
}

inline Footprint footprint_of(DWORD process_id)
{
    Footprint footprint;
    footprint.handles = handle_count_of(process_id);
    for (HWND window : windows_of(process_id)) {
        ++footprint.windows;
        EnumChildWindows(window, count_child_window, reinterpret_cast<LPARAM>(&footprint.windows));
    }
    const OwnedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
    if (!process)
        return footprint;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    if (GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        footprint.private_bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return footprint;
}

// The threads a process runs now.
inline std::size_t thread_count_of(DWORD process_id)
{
    const OwnedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::size_t count = 0;
    if (snapshot)
        for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
            count += entry.th32OwnerProcessID == process_id;
    return count;
}

// A program started in a directory, ended by force when the object goes and it still runs.
class RunningProgram {
public:
    // Held programs are created suspended and start running at resume(), so that several
    // can be let go at the same moment.
    enum class Start { now, held };

    RunningProgram(const std::string& program, const std::string& directory, const std::string& arguments = "",
        Start start = Start::now)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
        const DWORD flags = start == Start::held ? CREATE_SUSPENDED : 0;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, flags, nullptr, directory.c_str(),
                &startup, &started)) {
            // A test sees only that nothing ran; the reason goes beside its failure.
            std::fprintf(stderr, "could not start %s: error %lu\n", program.c_str(), GetLastError());
            return;
        }
        process_.reset(started.hProcess);
        thread_.reset(started.hThread);
        id_ = started.dwProcessId;
        if (start == Start::now)
            resume();
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram()
    {
        resume();
        if (is_running()) {
            TerminateProcess(handle(), 1);
            WaitForSingleObject(handle(), WAIT_MS);
        }
    }

    void resume()
    {
        if (thread_)
            ResumeThread(thread_.get());
        thread_.reset();
    }

    bool started() const { return static_cast<bool>(process_); }
    HANDLE handle() const { return process_.get(); }
    DWORD id() const { return id_; }
    bool is_running() const { return WaitForSingleObject(handle(), 0) == WAIT_TIMEOUT; }

    // The exit code once the program has ended within the time, else ~0.
    DWORD exit_code(DWORD timeout_ms = WAIT_MS) const
    {
        DWORD code = ~DWORD{0};
        if (wait_until([&] { return !is_running(); }, timeout_ms))
            GetExitCodeProcess(handle(), &code);
        return code;
    }

private:
    OwnedHandle process_;
    OwnedHandle thread_;
    DWORD id_ = 0;
};

// Runs a program from this program's directory to its end; its exit code, ~0 when it could not
// start or did not end in time (it is ended then).
inline DWORD run_to_end(const std::string& program, const std::string& arguments, DWORD timeout_ms)
{
    const RunningProgram running(program, directory_of_this_program(), arguments);
    return running.started() ? running.exit_code(timeout_ms) : ~DWORD{0};
}
