#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "PseudoTerminal.h"
#include "TempProgramDir.h"
#include "serial/ECommError.h"
#include "serial/TCommPort.h"

namespace {

// A port file of the test's own that maps COM7 to a pseudo-terminal.
struct PtyPort {
  TempProgramDir dir;
  PseudoTerminal pty;
  std::string portFile = dir.Path("Devices/Dravel_PORTS.txt");
  explicit PtyPort(const std::string& extraLines = "") {
    dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + pty.Device() + "\n" + extraLines);
  }
};

// Runs fn and answers the kind and code of the ECommError it raised (kind 0 when none).
template <class Fn>
std::pair<int, std::uint32_t> ErrorOf(Fn fn) {
  try {
    fn();
  } catch (const ECommError& e) {
    return {e.Kind(), e.Code()};
  }
  return {0, 0};
}

void Configure(TCommPort& port, std::uint32_t baud, std::uint8_t bits, std::uint8_t stop, std::uint8_t parity) {
  port.SetAllSettings("COM7", baud, bits, stop, parity, false, false);
}

}  // namespace

TEST(CommPort, OpensAndClosesOnceAndCarriesBytesBothWays) {
  PtyPort p;
  TCommPort port(p.portFile);
  Configure(port, 9600, 8, platform::kOneStopBit, platform::kNoParity);
  EXPECT_FALSE(port.IsOpen());
  port.Close();  // closing a closed port does nothing
  port.Open();
  port.Open();  // nor does opening an open one
  EXPECT_TRUE(port.IsOpen());

  port.Write("hello\n", 6);
  EXPECT_EQ(p.pty.Receive(6), "hello\n");  // raw: no CR added

  p.pty.Send("abcd");
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(port.Read(buffer, 10), 4u);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
  EXPECT_EQ(buffer[4], '\0');
  EXPECT_EQ(buffer[5], 'x');
  EXPECT_EQ(port.BytesWaiting(), 0u);

  port.Close();
  port.Close();
  EXPECT_FALSE(port.IsOpen());
}

TEST(CommPort, EmptyWritesSendNothing) {
  PtyPort p;
  TCommPort port(p.portFile);
  Configure(port, 9600, 8, platform::kOneStopBit, platform::kNoParity);
  port.Open();
  EXPECT_EQ(port.WriteText(""), 0);
  port.Write(nullptr, 5);
  port.Write("zz", 0);
  EXPECT_NE(port.WriteText("Q"), 0);
  EXPECT_EQ(p.pty.Receive(1), "Q");  // the first byte the far end sees
}

TEST(CommPort, HeldPortCannotBeOpenedAgainEvenByRoot) {
  PtyPort p;
  TCommPort first(p.portFile), second(p.portFile);
  Configure(first, 9600, 8, platform::kOneStopBit, platform::kNoParity);
  Configure(second, 9600, 8, platform::kOneStopBit, platform::kNoParity);
  first.Open();
  const auto [kind, code] = ErrorOf([&] { second.Open(); });
  EXPECT_EQ(kind, kCommErrOpen);
  EXPECT_EQ(code, static_cast<std::uint32_t>(EBUSY));
  EXPECT_FALSE(second.IsOpen());
  first.WriteText("still mine");
  EXPECT_EQ(p.pty.Receive(10), "still mine");
  first.Close();
  second.Open();  // free again
  EXPECT_TRUE(second.IsOpen());
}

TEST(CommPort, NamesAreCutInTheDevicePathBeforeTheyAreLookedUp) {
  EXPECT_EQ(TCommPort::DeviceName("COM7"), "COM7");
  EXPECT_EQ(TCommPort::DeviceName("COM1234567890"), "COM123456");
  PtyPort p;
  TCommPort port(p.portFile);
  // Cut to nine characters the name is "COM7" and five blanks, which the
  // port table reads as COM7; uncut it would name no port.
  port.SetAllSettings("COM7     JUNK", 9600, 8, 0, 0, false, false);
  port.Open();
  port.WriteText("x");
  EXPECT_EQ(p.pty.Receive(1), "x");
}

TEST(CommPort, OpenFailuresNameTheirKindAndLeaveThePortClosed) {
  PtyPort p("COM8=/dev/null\n");
  TCommPort port(p.portFile);
  port.SetAllSettings("COM9", 9600, 8, 0, 0, false, false);
  EXPECT_EQ(ErrorOf([&] { port.Open(); }), std::make_pair(int(kCommErrOpen), std::uint32_t(ENOENT)));
  port.SetPortName("COM8");  // a device that is not a serial line
  EXPECT_EQ(ErrorOf([&] { port.Open(); }), std::make_pair(int(kCommErrGetState), std::uint32_t(ENOTTY)));
  EXPECT_FALSE(port.IsOpen());
  port.SetAllSettings("COM7", 0, 8, 0, 0, false, false);  // no device takes 0 baud
  EXPECT_EQ(ErrorOf([&] { port.Open(); }).first, kCommErrSetState);
  EXPECT_FALSE(port.IsOpen());
  // The failed opens released the device: a good one opens now.
  port.SetBaudRate(9600);
  port.Open();
  EXPECT_TRUE(port.IsOpen());
}

TEST(CommPort, ClosedAndOpenPortsRefuseWhatTheyCannotDo) {
  PtyPort p;
  TCommPort port(p.portFile);
  char buffer[4];
  EXPECT_EQ(ErrorOf([&] { port.Read(buffer, 4); }).first, kCommErrNotOpen);
  EXPECT_EQ(ErrorOf([&] { port.Write("a", 1); }).first, kCommErrNotOpen);
  EXPECT_EQ(ErrorOf([&] { port.WriteText("a"); }).first, kCommErrNotOpen);
  EXPECT_EQ(ErrorOf([&] { port.BytesWaiting(); }).first, kCommErrNotOpen);
  Configure(port, 9600, 8, 0, 0);
  port.Open();
  EXPECT_EQ(ErrorOf([&] { port.SetPortName("COM8"); }).first, kCommErrPortIsOpen);
  EXPECT_EQ(port.PortName(), "COM7");
}

TEST(CommPort, LineSettingsGoToTheDeviceAndTheOldOnesComeBackAtClose) {
  PtyPort p;
  p.pty.SetCookedLine(4800);
  TCommPort port(p.portFile);
  Configure(port, 9600, 7, platform::kOneStopBit, platform::kEvenParity);
  port.Open();
  auto line = p.pty.SlaveLine();
  EXPECT_EQ(line.baud, 9600u);
  EXPECT_FALSE(line.canonical);
  EXPECT_FALSE(line.echo);
  EXPECT_FALSE(line.twoStopBits);
  // A pseudo-terminal keeps no data bits or parity enable of its own; the
  // port keeps what was configured.
  EXPECT_EQ(port.Settings().baudRate, 9600u);
  EXPECT_EQ(port.Settings().byteSize, 7);
  EXPECT_EQ(port.Settings().parity, platform::kEvenParity);

  port.SetBaudRate(14400);  // not a classic termios rate
  port.SetStopBits(platform::kTwoStopBits);
  port.SetParity(platform::kMarkParity);
  line = p.pty.SlaveLine();
  EXPECT_EQ(line.baud, 14400u);
  EXPECT_TRUE(line.twoStopBits);
  EXPECT_TRUE(line.markSpace);
  EXPECT_TRUE(line.oddParity);  // mark, not space

  port.SetStopBits(platform::kOne5StopBits);
  EXPECT_EQ(port.Settings().stopBits, platform::kOne5StopBits);
  EXPECT_TRUE(p.pty.SlaveLine().twoStopBits);  // what termios has for one and a half

  port.Close();
  line = p.pty.SlaveLine();
  EXPECT_EQ(line.baud, 4800u);
  EXPECT_TRUE(line.canonical);
  EXPECT_TRUE(line.echo);
  EXPECT_FALSE(line.twoStopBits);
  EXPECT_FALSE(line.markSpace);
}

TEST(CommPort, AVanishedDeviceRefusesSettingsAndIO) {
  PtyPort p;
  TCommPort port(p.portFile);
  Configure(port, 9600, 8, platform::kOneStopBit, platform::kNoParity);
  port.Open();
  p.pty.HangUp();  // the adapter is pulled out

  EXPECT_EQ(ErrorOf([&] { port.SetBaudRate(19200); }),
            std::make_pair(int(kCommErrBaudRate), std::uint32_t(EIO)));
  EXPECT_EQ(port.Settings().baudRate, 9600u);  // the previous value is back
  EXPECT_EQ(ErrorOf([&] { port.SetByteSize(7); }).first, kCommErrByteSize);
  EXPECT_EQ(port.Settings().byteSize, 8);
  EXPECT_EQ(ErrorOf([&] { port.SetParity(platform::kOddParity); }).first, kCommErrParity);
  EXPECT_EQ(port.Settings().parity, platform::kNoParity);
  EXPECT_EQ(ErrorOf([&] { port.SetStopBits(platform::kTwoStopBits); }).first, kCommErrStopBits);
  EXPECT_EQ(port.Settings().stopBits, platform::kOneStopBit);
  EXPECT_EQ(ErrorOf([&] { port.SetAllSettings("COM7", 4800, 7, 2, 1, true, true); }).first,
            kCommErrBaudRate);
  EXPECT_EQ(port.Settings().baudRate, 9600u);
  EXPECT_EQ(port.Settings().rtsControl, platform::kLineControlDisable);

  EXPECT_EQ(ErrorOf([&] { port.WriteText("lost"); }), std::make_pair(int(kCommErrWrite), std::uint32_t(EIO)));
  EXPECT_EQ(ErrorOf([&] { port.BytesWaiting(); }).first, kCommErrStatus);
  char buffer[4];
  EXPECT_EQ(ErrorOf([&] { port.Read(buffer, 4); }).first, kCommErrRead);

  EXPECT_EQ(ErrorOf([&] { port.Close(); }).first, kCommErrSetState);
  EXPECT_FALSE(port.IsOpen());
}

TEST(CommPort, EnumerationListsThePortsWhoseDeviceExists) {
  PseudoTerminal second;
  PtyPort p("COM12=/dev/does-not-exist\nCOM10=" + second.Device() + "\n");
  std::vector<std::string> list{"stale"};
  const int count = EnumerateCommPorts(p.portFile, list);
  ASSERT_GE(count, 2);  // and whatever real ports this machine has
  EXPECT_EQ(count, static_cast<int>(list.size()));
  EXPECT_EQ(list[0], "COM7");
  EXPECT_EQ(list[1], "COM10");
  for (const auto& name : list) {
    EXPECT_NE(name, "COM12");
    EXPECT_NE(name, "stale");
  }
}
