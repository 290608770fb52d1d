#pragma once
// The serial-port control as the trigger logic uses it: open and close by port number, read
// the CTS and CD inputs, set the RTS and DTR outputs, and hear of input changes. No data
// flows; only the modem lines matter. Failures raise HostError with the control's numbers
// (8002 invalid port, 8005 port already open, 8012 port not open).

#include <functional>

namespace bw {

enum class SerialLine { Cts, Cd, Rts, Dtr };

class SerialPort {
public:
    using ChangeHandler = std::function<void(SerialLine changed)>;

    virtual ~SerialPort() = default;

    virtual void open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual int portNumber() const = 0; // of the open port, or the last one opened

    virtual bool cts() const = 0;
    virtual bool cd() const = 0;
    // The outputs are settings: kept while closed and applied when the port opens.
    virtual void setRts(bool on) = 0;
    virtual void setDtr(bool on) = 0;
    virtual bool rts() const = 0;
    virtual bool dtr() const = 0;

    // Input changes (CTS, CD) arrive through the host's event loop, between calls.
    void setChangeHandler(ChangeHandler handler) { handler_ = std::move(handler); }

protected:
    void notifyChange(SerialLine line) const {
        if (handler_) handler_(line);
    }

private:
    ChangeHandler handler_;
};

} // namespace bw
