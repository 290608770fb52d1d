#pragma once
// The host services of smmain, which has no screen: message boxes go to standard error and
// are answered with their first button, a beep rings the terminal, the dialogs answer Cancel,
// no window has the focus, the screen is 15 twips per pixel. The locale is the environment's,
// timers run on the real clock, serial ports are the machine's, the registry is the folder
// the environment names.

#include "framework/Clock.h"
#include "framework/EventLoop.h"
#include "framework/HostServices.h"
#include "framework/SystemLocale.h"

namespace bw {

class HeadlessHost : public HostServices {
public:
    HeadlessHost() = default;

    MsgBoxResult messageBox(std::string_view text, int buttons = msgbox::okOnly,
                            std::string_view title = {}) override;
    void beep() override;
    WindowId focusedWindow() const override { return 0; }
    int twipsPerPixelX() const override { return 15; }
    int twipsPerPixelY() const override { return 15; }
    std::locale locale() const override { return locale_; }
    std::string generalDateNow() const override;
    std::span<const std::byte> resource(std::string_view name) const override;
    std::string stringResource(int id) const override;
    EventLoop& eventLoop() override { return loop_; }
    std::unique_ptr<SerialPort> createSerialPort() override;
    Registry registry() const override { return Registry::fromEnvironment(); }

protected:
    std::optional<FontChoice> showFontDialog(const FontChoice&, std::int32_t) override {
        return std::nullopt;
    }
    bool showPrinterDialog(std::string_view) override { return false; }

private:
    std::locale locale_ = systemLocale();
    SteadyClock clock_;
    EventLoop loop_{clock_};
};

} // namespace bw
