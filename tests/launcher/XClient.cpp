#include "XClient.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <stdexcept>
#include <thread>

namespace stockmark::testing {

namespace {

struct XFreeRelease {
    void operator()(void* data) const noexcept { XFree(data); }
};
struct ImageRelease {
    void operator()(XImage* image) const noexcept { XDestroyImage(image); }
};

// The items of a window property of format 32, which Xlib hands over as longs.
std::vector<unsigned long> cardinals(Display* display, Window window, const char* property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* raw = nullptr;
    const Atom atom = XInternAtom(display, property, False);
    if (XGetWindowProperty(display, window, atom, 0, 1 << 20, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &raw) != Success)
        return {};
    const std::unique_ptr<unsigned char, XFreeRelease> owned(raw);
    if (format != 32 || !raw) return {};
    const auto* items = reinterpret_cast<const unsigned long*>(raw);
    return {items, items + count};
}

std::string textProperty(Display* display, Window window, Atom property) {
    XTextProperty text{};
    if (!XGetTextProperty(display, window, &text, property) || !text.value) return {};
    const std::unique_ptr<unsigned char, XFreeRelease> owned(text.value);
    return {reinterpret_cast<const char*>(text.value), text.nitems};
}

// A window can vanish between listing it and asking about it; that is an answer, not a fault,
// so errors are ignored instead of ending the test process as Xlib's default handler does.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

void XClient::Closer::operator()(_XDisplay* display) const noexcept {
    XCloseDisplay(display);
}

XClient::XClient(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    if (!display_) throw std::runtime_error("cannot open X display " + display);
    XSetErrorHandler(ignoreErrors);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_.get(), &event, &error, &major, &minor))
        throw std::runtime_error("X display " + display + " has no XTest extension");
}

std::optional<XClient::WindowId> XClient::waitForWindow(pid_t pid,
                                                        std::chrono::milliseconds timeout) const {
    Display* d = display_.get();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
            const std::unique_ptr<Window, XFreeRelease> owned(children);
            for (unsigned i = 0; i < count; ++i) {
                const auto owner = cardinals(d, children[i], "_NET_WM_PID");
                if (owner.size() == 1 && owner[0] == static_cast<unsigned long>(pid) &&
                    isViewable(children[i]))
                    return children[i];
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

bool XClient::isViewable(WindowId window) const {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_.get(), window, &attributes) &&
           attributes.map_state == IsViewable;
}

WindowPlace XClient::place(WindowId window) const {
    Display* d = display_.get();
    XWindowAttributes attributes{};
    XGetWindowAttributes(d, window, &attributes);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    // The X border, if any, lies outside the window's own area.
    const int border = attributes.border_width;
    return {x - border, y - border, attributes.width + 2 * border, attributes.height + 2 * border};
}

std::string XClient::name(WindowId window) const {
    return textProperty(display_.get(), window, XA_WM_NAME);
}

std::string XClient::utf8Name(WindowId window) const {
    return textProperty(display_.get(), window, XInternAtom(display_.get(), "_NET_WM_NAME", False));
}

std::string XClient::className(WindowId window) const {
    XClassHint hint{};
    if (!XGetClassHint(display_.get(), window, &hint)) return {};
    const std::unique_ptr<char, XFreeRelease> name(hint.res_name);
    const std::unique_ptr<char, XFreeRelease> owned(hint.res_class);
    return hint.res_class ? hint.res_class : "";
}

std::vector<WindowIcon> XClient::icons(WindowId window) const {
    const auto items = cardinals(display_.get(), window, "_NET_WM_ICON");
    std::vector<WindowIcon> icons;
    for (std::size_t at = 0; at + 2 <= items.size();) {
        WindowIcon icon{static_cast<int>(items[at]), static_cast<int>(items[at + 1]), {}};
        const std::size_t pixels = static_cast<std::size_t>(icon.width) * icon.height;
        at += 2;
        if (items.size() - at < pixels) break;
        for (std::size_t i = 0; i < pixels; ++i)
            icon.argb.push_back(static_cast<std::uint32_t>(items[at + i]));
        at += pixels;
        icons.push_back(std::move(icon));
    }
    return icons;
}

std::vector<std::uint32_t> XClient::capture(WindowId window) const {
    const WindowPlace p = place(window);
    const std::unique_ptr<XImage, ImageRelease> image(
        XGetImage(display_.get(), window, 0, 0, static_cast<unsigned>(p.width),
                  static_cast<unsigned>(p.height), AllPlanes, ZPixmap));
    if (!image) return {};
    if (image->red_mask != 0xFF0000 || image->green_mask != 0x00FF00 ||
        image->blue_mask != 0x0000FF)
        throw std::runtime_error("the screen is not 24-bit true colour");
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image.get(), x, y) & 0xFFFFFF));
    return pixels;
}

void XClient::click(unsigned button, int x, int y) const {
    Display* d = display_.get();
    XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
    XTestFakeButtonEvent(d, button, True, CurrentTime);
    XTestFakeButtonEvent(d, button, False, CurrentTime);
    XSync(d, False);
}

} // namespace stockmark::testing
