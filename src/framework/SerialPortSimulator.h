#pragma once
// The far end of simulated serial ports, driven by tests on a virtual clock: a test sets the
// CTS and CD inputs of a port number and reads back the RTS and DTR outputs with the time of
// every change. Ports it creates deliver input changes through the event loop like real ones.
// The simulator must outlive the ports it creates.

#include "framework/EventLoop.h"
#include "framework/SerialPort.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace bw {

class SerialPortSimulator {
public:
    struct LineChange {
        Clock::TimePoint at;
        int port;
        SerialLine line;
        bool on;
    };

    // Ports 1 to 4 exist unless the test says otherwise.
    explicit SerialPortSimulator(EventLoop& loop) : loop_(loop), present_{1, 2, 3, 4} {}
    SerialPortSimulator(const SerialPortSimulator&) = delete;
    SerialPortSimulator& operator=(const SerialPortSimulator&) = delete;

    std::unique_ptr<SerialPort> createPort();
    void setPresent(std::set<int> ports) { present_ = std::move(ports); }
    bool isPresent(int port) const { return present_.count(port) != 0; }
    bool isOpen(int port) const { return open_.count(port) != 0; }

    void setCts(int port, bool on) { setInput(port, SerialLine::Cts, on); }
    void setCd(int port, bool on) { setInput(port, SerialLine::Cd, on); }
    bool rts(int port) const { return line(port, SerialLine::Rts); }
    bool dtr(int port) const { return line(port, SerialLine::Dtr); }
    bool line(int port, SerialLine line) const;
    // Every change of an output line of an open port, in order.
    const std::vector<LineChange>& outputChanges() const { return outputs_; }

private:
    class Port;
    friend class Port;

    void setInput(int port, SerialLine line, bool on);
    void setOutput(int port, SerialLine line, bool on);

    EventLoop& loop_;
    std::set<int> present_;
    std::map<std::pair<int, SerialLine>, bool> lines_;
    std::map<int, Port*> open_;
    std::vector<LineChange> outputs_;
};

} // namespace bw
