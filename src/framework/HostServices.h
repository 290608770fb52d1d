#pragma once
// The services the container and the host runtime give every element: message box, beep, the
// font and printer dialogs, the focused window, the screen's twips per pixel, the locale
// (currency, dates), the library's resources, the event loop with its timers, serial ports,
// the registry and the text-file service of the error log. smmain runs on HeadlessHost; tests
// on a recording fake.
//
// An element gets its host from its container when it is created. Code that is created with
// no arguments (a FileLogger made for one report) reaches the host installed for the process
// through currentHost(): the one process-wide pointer of this layer, set by the host program
// at start-up, and HeadlessHost until then.

#include "framework/EventLoop.h"
#include "framework/FontDesc.h"
#include "framework/Registry.h"
#include "framework/SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <locale>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace bw {

using WindowId = std::uint32_t; // 0: no window

// The message box's button sets and answers, with the runtime's values.
namespace msgbox {
inline constexpr int okOnly = 0;
inline constexpr int okCancel = 1;
inline constexpr int abortRetryIgnore = 2;
inline constexpr int yesNoCancel = 3;
inline constexpr int yesNo = 4;
inline constexpr int retryCancel = 5;
} // namespace msgbox

enum class MsgBoxResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// What the font dialog shows and gives back.
struct FontChoice {
    FontDesc font;
    std::int32_t color = 0;

    bool operator==(const FontChoice&) const = default;
};

class HostServices {
public:
    virtual ~HostServices() = default;

    // `buttons` is one of msgbox::*; an empty title is the host's default title.
    virtual MsgBoxResult messageBox(std::string_view text, int buttons = msgbox::okOnly,
                                    std::string_view title = {}) = 0;
    virtual void beep() = 0;

    // The user's choice, or nothing on Cancel; with `cancelError` a Cancel raises HostError
    // 32755 instead, as the dialog control does when told to.
    std::optional<FontChoice> fontDialog(const FontChoice& preset, std::int32_t flags,
                                         bool cancelError);
    // True when the user chose a printer.
    bool printerDialog(std::string_view title, bool cancelError);

    virtual WindowId focusedWindow() const = 0;
    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;

    virtual std::locale locale() const = 0;
    std::string formatCurrency(double value) const;
    // The current local date and time in the general date format.
    virtual std::string generalDateNow() const = 0;

    // The library's raw-data resources by name (letter case ignored); empty when missing.
    virtual std::span<const std::byte> resource(std::string_view name) const = 0;
    // A string-table entry; empty when missing.
    virtual std::string stringResource(int id) const = 0;

    virtual EventLoop& eventLoop() = 0;
    virtual std::unique_ptr<SerialPort> createSerialPort() = 0;
    virtual Registry registry() const = 0;
    // Whether the error log's text-file service can be created.
    virtual bool fileServiceAvailable() const { return true; }

protected:
    virtual std::optional<FontChoice> showFontDialog(const FontChoice& preset,
                                                     std::int32_t flags) = 0;
    virtual bool showPrinterDialog(std::string_view title) = 0;
};

// The host installed for the process; HeadlessHost when none is.
HostServices& currentHost();
// Installs `host` (nullptr: back to the headless default) and returns the previous one.
HostServices* installHost(HostServices* host);

// Installs a host for the lifetime of a scope: a test's, or the host program's main.
class ScopedHost {
public:
    explicit ScopedHost(HostServices& host) : previous_(installHost(&host)) {}
    ~ScopedHost() { installHost(previous_); }
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;

private:
    HostServices* previous_;
};

} // namespace bw
