// tests/support/BoxCatcher.h
// Closes the message boxes that code under test shows in this process and keeps what they said,
// so a handler that ends in a modal box can run inside a unit test.
#pragma once
#include <windows.h>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct CaughtBox
{
    std::string caption;
    std::string text;
};

class BoxCatcher
{
public:
    // whileOpen runs on the catcher's own thread as each box is seen, before it is closed.
    explicit BoxCatcher(std::function<void()> whileOpen = nullptr);
    ~BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    // The boxes closed so far, in the order they were shown.
    std::vector<CaughtBox> Boxes() const;
    // Their texts alone.
    std::vector<std::string> Texts() const;

private:
    void Watch();
    std::function<void()> m_whileOpen;
    std::atomic<bool> m_stop { false };
    mutable std::mutex m_mutex;
    std::vector<CaughtBox> m_boxes;
    std::thread m_thread;
};
