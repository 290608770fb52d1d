#include "framework/LinuxSerialPort.h"

#include "framework/HostError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace bw {

namespace {

constexpr std::chrono::milliseconds pollInterval{10};

HostError notOpen() {
    return HostError(err::commPortNotOpen, "The port is not open");
}

} // namespace

LinuxSerialPort::LinuxSerialPort(EventLoop& loop, Registry registry)
    : registry_(std::move(registry)), pollTimer_(loop, [this] { poll(); }) {
    pollTimer_.setInterval(pollInterval);
}

LinuxSerialPort::~LinuxSerialPort() = default;

std::string LinuxSerialPort::devicePath(int portNumber, const Registry& registry) {
    if (const auto key =
            registry.openKey(RegistryRoot::LocalMachine, "Software\\bwctrls\\SerialPorts")) {
        const RegistryValue v = registry.queryValue(*key, "COM" + std::to_string(portNumber), 256);
        if (v.status == RegStatus::Success && v.type == RegType::Sz && v.length > 1)
            return std::string(reinterpret_cast<const char*>(v.data.data()), v.length - 1);
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

void LinuxSerialPort::open(int portNumber) {
    if (fd_) throw HostError(err::commPortAlreadyOpen, "Port already open");
    if (portNumber < 1)
        throw HostError(err::commPortInvalid, "Invalid port number " + std::to_string(portNumber));
    const std::string path = devicePath(portNumber, registry_);
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd) {
        const int error = errno;
        const bool missing = error == ENOENT || error == ENXIO || error == ENODEV;
        throw HostError(missing ? err::commPortInvalid : err::commPortAlreadyOpen,
                        (missing ? "Invalid port number " : "Port already open: ") +
                            std::to_string(portNumber) + " (" + path + ": " + std::strerror(error) +
                            ")");
    }
    termios settings{};
    if (::tcgetattr(fd.get(), &settings) != 0 || ::ioctl(fd.get(), TIOCEXCL) != 0)
        throw HostError(err::commPortInvalid, "Invalid port number " + std::to_string(portNumber) +
                                                  " (" + path + " is not a serial port)");
    // Raw 9600 8N1; CLOCAL keeps a dropping CD from hanging up the line we only watch.
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    settings.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(fd.get(), TCSANOW, &settings);
    fd_ = std::move(fd);
    number_ = portNumber;
    applyLine(TIOCM_RTS, rts_);
    applyLine(TIOCM_DTR, dtr_);
    lastBits_ = modemBits();
    pollTimer_.setEnabled(true);
}

void LinuxSerialPort::close() {
    if (!fd_) throw notOpen();
    pollTimer_.setEnabled(false);
    fd_.reset();
}

int LinuxSerialPort::modemBits() const {
    if (!fd_) throw notOpen();
    int bits = 0;
    if (::ioctl(fd_.get(), TIOCMGET, &bits) != 0) return 0;
    return bits;
}

bool LinuxSerialPort::cts() const {
    return (modemBits() & TIOCM_CTS) != 0;
}
bool LinuxSerialPort::cd() const {
    return (modemBits() & TIOCM_CAR) != 0;
}

void LinuxSerialPort::applyLine(int bit, bool on) {
    if (fd_) ::ioctl(fd_.get(), on ? TIOCMBIS : TIOCMBIC, &bit);
}

void LinuxSerialPort::setRts(bool on) {
    rts_ = on;
    applyLine(TIOCM_RTS, on);
}

void LinuxSerialPort::setDtr(bool on) {
    dtr_ = on;
    applyLine(TIOCM_DTR, on);
}

void LinuxSerialPort::poll() {
    if (!fd_) return;
    const int bits = modemBits();
    const int changed = bits ^ lastBits_;
    lastBits_ = bits;
    if (changed & TIOCM_CTS) notifyChange(SerialLine::Cts);
    if (changed & TIOCM_CAR) notifyChange(SerialLine::Cd);
}

} // namespace bw
