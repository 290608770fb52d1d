#include "framework/HeadlessHost.h"

#include "framework/LinuxSerialPort.h"

#include <chrono>
#include <ctime>
#include <iostream>
#include <unistd.h>

namespace bw {

MsgBoxResult HeadlessHost::messageBox(std::string_view text, int buttons, std::string_view title) {
    if (!title.empty()) std::cerr << title << ": ";
    std::cerr << text << std::endl;
    switch (buttons) {
    case msgbox::abortRetryIgnore:
        return MsgBoxResult::Abort;
    case msgbox::yesNoCancel:
    case msgbox::yesNo:
        return MsgBoxResult::Yes;
    case msgbox::retryCancel:
        return MsgBoxResult::Retry;
    default:
        return MsgBoxResult::Ok;
    }
}

void HeadlessHost::beep() {
    // Only a terminal rings; a BEL in a redirected log would be noise.
    if (::isatty(STDERR_FILENO)) std::cerr << '\a' << std::flush;
}

std::string HeadlessHost::generalDateNow() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    ::localtime_r(&now, &local);
    return formatGeneralDate(local, locale_);
}

// The tables compiled into the library arrive with the resources folder; until then the
// library has none, and a lookup finds nothing.
std::span<const std::byte> HeadlessHost::resource(std::string_view) const {
    return {};
}

std::string HeadlessHost::stringResource(int) const {
    return {};
}

std::unique_ptr<SerialPort> HeadlessHost::createSerialPort() {
    return std::make_unique<LinuxSerialPort>(loop_, registry());
}

} // namespace bw
