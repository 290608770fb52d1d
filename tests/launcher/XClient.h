#pragma once
// A test's own connection to an X server: finds a program's window, reads what the server
// knows of it (place, size, names, icons, pixels) and clicks like a user through XTest.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Xlib's connection type, declared here so that Xlib's macros stay out of the tests.
struct _XDisplay;

namespace stockmark::testing {

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowPlace&) const = default;
};

struct WindowIcon {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // rows top-down
};

class XClient {
public:
    using WindowId = unsigned long;

    // Throws when the server cannot be reached or lacks the XTest extension.
    explicit XClient(const std::string& display);

    // A viewable top-level window whose _NET_WM_PID is `pid`, once there is one.
    std::optional<WindowId> waitForWindow(pid_t pid, std::chrono::milliseconds timeout) const;

    // False once the window is unmapped or destroyed.
    bool isViewable(WindowId window) const;

    // Position on the screen and size, border included.
    WindowPlace place(WindowId window) const;
    std::string name(WindowId window) const;              // WM_NAME
    std::string utf8Name(WindowId window) const;          // _NET_WM_NAME
    std::string className(WindowId window) const;         // the class part of WM_CLASS
    std::vector<WindowIcon> icons(WindowId window) const; // _NET_WM_ICON

    // The window's pixels as 0x00RRGGBB, rows top-down; the window must be wholly on screen.
    std::vector<std::uint32_t> capture(WindowId window) const;

    // Presses and releases `button` (1 left, 3 right) at a point of the screen.
    void click(unsigned button, int x, int y) const;

private:
    struct Closer {
        void operator()(_XDisplay* display) const noexcept;
    };
    std::unique_ptr<_XDisplay, Closer> display_;
};

} // namespace stockmark::testing
