#include "framework/SerialPortSimulator.h"

#include "framework/HostError.h"

#include <string>

namespace bw {

class SerialPortSimulator::Port final : public SerialPort {
public:
    explicit Port(SerialPortSimulator& sim) : sim_(sim), alive_(std::make_shared<bool>(true)) {}
    ~Port() override {
        *alive_ = false;
        if (open_) sim_.open_.erase(number_);
    }

    void open(int portNumber) override {
        if (open_) throw HostError(err::commPortAlreadyOpen, "Port already open");
        if (!sim_.isPresent(portNumber))
            throw HostError(err::commPortInvalid,
                            "Invalid port number " + std::to_string(portNumber));
        if (sim_.isOpen(portNumber))
            throw HostError(err::commPortAlreadyOpen,
                            "Port already open: COM" + std::to_string(portNumber) + " is in use");
        number_ = portNumber;
        open_ = true;
        sim_.open_[number_] = this;
        sim_.setOutput(number_, SerialLine::Rts, rts_);
        sim_.setOutput(number_, SerialLine::Dtr, dtr_);
    }
    void close() override {
        if (!open_) throw HostError(err::commPortNotOpen, "The port is not open");
        // Closing drops the outputs, as a closed device does.
        sim_.setOutput(number_, SerialLine::Rts, false);
        sim_.setOutput(number_, SerialLine::Dtr, false);
        sim_.open_.erase(number_);
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    int portNumber() const override { return number_; }

    bool cts() const override { return input(SerialLine::Cts); }
    bool cd() const override { return input(SerialLine::Cd); }
    void setRts(bool on) override { setOutput(rts_, SerialLine::Rts, on); }
    void setDtr(bool on) override { setOutput(dtr_, SerialLine::Dtr, on); }
    bool rts() const override { return rts_; }
    bool dtr() const override { return dtr_; }

    // Called by the simulator; the change reaches the handler on the loop's next turn, unless
    // the port is gone or closed by then.
    void inputChanged(SerialLine line) {
        sim_.loop_.post([this, alive = alive_, line] {
            if (*alive && open_) notifyChange(line);
        });
    }

private:
    bool input(SerialLine line) const {
        if (!open_) throw HostError(err::commPortNotOpen, "The port is not open");
        return sim_.line(number_, line);
    }
    void setOutput(bool& setting, SerialLine line, bool on) {
        setting = on;
        if (open_) sim_.setOutput(number_, line, on);
    }

    SerialPortSimulator& sim_;
    std::shared_ptr<bool> alive_;
    int number_ = 1;
    bool open_ = false;
    bool rts_ = false;
    bool dtr_ = false;
};

std::unique_ptr<SerialPort> SerialPortSimulator::createPort() {
    return std::make_unique<Port>(*this);
}

bool SerialPortSimulator::line(int port, SerialLine line) const {
    const auto it = lines_.find({port, line});
    return it != lines_.end() && it->second;
}

void SerialPortSimulator::setInput(int port, SerialLine line, bool on) {
    bool& state = lines_[{port, line}];
    if (state == on) return;
    state = on;
    if (const auto it = open_.find(port); it != open_.end()) it->second->inputChanged(line);
}

void SerialPortSimulator::setOutput(int port, SerialLine line, bool on) {
    bool& state = lines_[{port, line}];
    if (state == on) return;
    state = on;
    outputs_.push_back({loop_.now(), port, line, on});
}

} // namespace bw
