#pragma once
// A serial port of this machine, by the control's port number: COMn is /dev/ttyS{n-1} unless
// the registry maps it (HKEY_LOCAL_MACHINE "Software\bwctrls\SerialPorts", a string value
// named "COMn" holding the device path, e.g. /dev/ttyUSB0). The modem lines are read and set
// with the TIOCMGET/TIOCMBIS/TIOCMBIC ioctls; input changes are found by polling on the host's
// event loop while the port is open.

#include "framework/EventLoop.h"
#include "framework/Registry.h"
#include "framework/SerialPort.h"
#include "framework/Timer.h"
#include "framework/UniqueFd.h"

#include <string>

namespace bw {

class LinuxSerialPort final : public SerialPort {
public:
    LinuxSerialPort(EventLoop& loop, Registry registry);
    ~LinuxSerialPort() override;

    static std::string devicePath(int portNumber, const Registry& registry);

    void open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return static_cast<bool>(fd_); }
    int portNumber() const override { return number_; }

    bool cts() const override;
    bool cd() const override;
    void setRts(bool on) override;
    void setDtr(bool on) override;
    bool rts() const override { return rts_; }
    bool dtr() const override { return dtr_; }

private:
    int modemBits() const;
    void applyLine(int bit, bool on);
    void poll();

    Registry registry_;
    UniqueFd fd_;
    Timer pollTimer_;
    int number_ = 1;
    bool rts_ = false;
    bool dtr_ = false;
    int lastBits_ = 0;
};

} // namespace bw
