// Answers every message box of this process with OK from a second thread, and records what
// each one said, so that a dialog that shows one can be driven in-process.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageBoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;
        HICON icon;
    };

    MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;
    ~MessageBoxAnswerer();

    std::vector<Box> boxes() const;

private:
    void watch();

    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<Box> boxes_;
    std::thread thread_;
};
