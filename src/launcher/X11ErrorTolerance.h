#pragma once
// While one of these lives, X protocol errors are ignored instead of ending the program. SDL
// wakes its event wait with a message to the window over a second connection; when the window
// is destroyed at once after a click, that message can arrive late, and Xlib's default handler
// would end the launcher with code 1 as it closes. The launcher reports no such failure.

namespace stockmark {

class X11ErrorTolerance {
public:
    // Install before SDL opens the display: SDL chains its own handler to the one it finds,
    // and puts that one back before it closes its connections.
    X11ErrorTolerance();
    ~X11ErrorTolerance();
    X11ErrorTolerance(const X11ErrorTolerance&) = delete;
    X11ErrorTolerance& operator=(const X11ErrorTolerance&) = delete;

private:
    using AnyFunction = void (*)();
    AnyFunction previous_; // the handler to put back, kept as a plain function pointer
};

} // namespace stockmark
