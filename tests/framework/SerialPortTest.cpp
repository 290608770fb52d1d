#include "framework/HostError.h"
#include "framework/LinuxSerialPort.h"
#include "framework/SerialPortSimulator.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <vector>

using namespace bw;
using namespace std::chrono_literals;

namespace {

std::int32_t errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const HostError& e) {
        return e.number();
    }
    return 0;
}

class SimulatedPortTest : public ::testing::Test {
protected:
    VirtualClock clock;
    EventLoop loop{clock};
    SerialPortSimulator sim{loop};
};

} // namespace

TEST_F(SimulatedPortTest, CtsChangesArriveThroughTheLoop) {
    const auto port = sim.createPort();
    std::vector<std::pair<SerialLine, bool>> heard;
    port->setChangeHandler([&](SerialLine line) { heard.emplace_back(line, port->cts()); });
    port->open(2);

    sim.setCts(2, true);
    EXPECT_TRUE(heard.empty()); // not during the caller's call
    loop.processEvents();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], std::make_pair(SerialLine::Cts, true));

    sim.setCts(2, true); // no change, no event
    sim.setCd(1, true);  // another port
    loop.runFor(10ms);
    EXPECT_EQ(heard.size(), 1u);

    sim.setCd(2, true);
    port->close();
    loop.processEvents(); // closed before the loop turned: dropped
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(SimulatedPortTest, OutputsAreSettingsAppliedWhileOpenAndRecordedWithTheirTime) {
    const auto port = sim.createPort();
    port->setDtr(true); // kept until the port opens
    EXPECT_FALSE(sim.dtr(1));
    loop.runFor(100ms);
    port->open(1);
    EXPECT_TRUE(sim.dtr(1));
    loop.runFor(50ms);
    port->setRts(true);
    port->close();
    ASSERT_EQ(sim.outputChanges().size(), 4u);
    const auto& rtsOn = sim.outputChanges()[1];
    EXPECT_EQ(rtsOn.line, SerialLine::Rts);
    EXPECT_TRUE(rtsOn.on);
    EXPECT_EQ(rtsOn.at - Clock::TimePoint{}, 150ms);
    EXPECT_FALSE(sim.rts(1)); // closing drops the lines
}

TEST_F(SimulatedPortTest, OpenAndReadFailuresUseTheControlsNumbers) {
    const auto a = sim.createPort();
    const auto b = sim.createPort();
    EXPECT_EQ(errorOf([&] { a->open(9); }), err::commPortInvalid);
    EXPECT_EQ(errorOf([&] { a->cts(); }), err::commPortNotOpen);
    a->open(1);
    EXPECT_EQ(errorOf([&] { a->open(1); }), err::commPortAlreadyOpen);
    EXPECT_EQ(errorOf([&] { b->open(1); }), err::commPortAlreadyOpen);
    EXPECT_TRUE(sim.isOpen(1));
}

TEST(LinuxSerialPort, PortNumbersMapToDevices) {
    test::TempDir dir;
    Registry registry(dir.path());
    EXPECT_EQ(LinuxSerialPort::devicePath(1, registry), "/dev/ttyS0");
    const std::string plain = (dir.path() / "not-a-tty").string();
    std::ofstream(plain) << "";
    registry.writeString(RegistryRoot::LocalMachine, "Software\\bwctrls\\SerialPorts", "COM3",
                         plain);
    registry.writeString(RegistryRoot::LocalMachine, "Software\\bwctrls\\SerialPorts", "COM4",
                         (dir.path() / "missing").string());
    EXPECT_EQ(LinuxSerialPort::devicePath(3, registry), plain);

    VirtualClock clock;
    EventLoop loop(clock);
    LinuxSerialPort port(loop, registry);
    EXPECT_EQ(errorOf([&] { port.open(4); }), err::commPortInvalid);
    EXPECT_EQ(errorOf([&] { port.open(3); }), err::commPortInvalid); // a file, not a serial port
    EXPECT_EQ(errorOf([&] { port.open(0); }), err::commPortInvalid);
    EXPECT_FALSE(port.isOpen());
}
