#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include "TempProgramDir.h"
#include "platform/SerialPortRegistry.h"

namespace {
// A pseudo-terminal stands in for a serial device.
struct Pty {
  int master = -1;
  std::string slave;
  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    slave = ptsname(master);
  }
  ~Pty() { close(master); }
};
}  // namespace

TEST(SerialPortRegistry, PortFileNamesComeFirstAndOnlyExistingDevicesAreListed) {
  TempProgramDir dir;
  Pty pty;
  dir.Write("Devices/Dravel_PORTS.txt",
            "# my ports\n"
            "com3 = " + pty.slave + "\r\n"
            "COM4=/dev/does-not-exist\n"
            "COM33=" + pty.slave + "\n"
            "LPT1=/dev/null\n"
            "COM3=/dev/null\n");
  platform::SerialPortRegistry registry(dir.Path("Devices/Dravel_PORTS.txt"));
  EXPECT_EQ(registry.DeviceOf("COM3"), pty.slave);  // the first line for a name wins
  EXPECT_EQ(registry.DeviceOf(" com3 "), pty.slave);
  EXPECT_EQ(registry.DeviceOf("COM34"), "/dev/ttyUSB1");  // defaults fill the rest
  EXPECT_EQ(registry.DeviceOf("COM65"), "/dev/ttyACM0");
  EXPECT_EQ(registry.DeviceOf("LPT1"), "");
  auto present = registry.PresentPorts();
  ASSERT_GE(present.size(), 2u);
  EXPECT_EQ(present[0].name, "COM3");
  EXPECT_EQ(present[1].name, "COM33");
  for (const auto& p : present) EXPECT_NE(p.name, "COM4");
}

TEST(SerialPortRegistry, MissingPortFileLeavesTheDefaults) {
  platform::SerialPortRegistry registry("/nonexistent/Dravel_PORTS.txt");
  EXPECT_EQ(registry.DeviceOf("COM1"), "/dev/ttyS0");
  EXPECT_EQ(registry.DeviceOf("COM32"), "/dev/ttyS31");
  EXPECT_EQ(registry.DeviceOf("COM33"), "/dev/ttyUSB0");
  EXPECT_EQ(registry.DeviceOf("COM96"), "/dev/ttyACM31");
  EXPECT_EQ(registry.DeviceOf("COM97"), "");
}

// The port table reads its lines like every other file: a lone CR ends a line.
TEST(SerialPortRegistry, EveryLineEndOfThePortFileEndsALine) {
  TempProgramDir dir;
  Pty first, second, third;
  dir.Write("Devices/Dravel_PORTS.txt",
            "COM3=" + first.slave + "\r" + "COM4=" + second.slave + "\r\n" + "COM5=" + third.slave);
  platform::SerialPortRegistry registry(dir.Path("Devices/Dravel_PORTS.txt"));
  EXPECT_EQ(registry.DeviceOf("COM3"), first.slave);
  EXPECT_EQ(registry.DeviceOf("COM4"), second.slave);
  EXPECT_EQ(registry.DeviceOf("COM5"), third.slave);
}
