// The radio libraries' copy of the port table rule, read against the
// program's own: a library must open the device the program lists.

#include <gtest/gtest.h>

#include <string>

#include "PortTable.h"
#include "TempProgramDir.h"
#include "platform/SerialPortRegistry.h"

TEST(PortTable, MapsEveryNameAsTheProgramDoes) {
  TempProgramDir dir;
  dir.Write("Dravel_PORTS.txt",
            "com3=/dev/ttyUSB0\n"
            "  COM70 =  /dev/pts/9  \r\n"
            "COM3=/dev/second\n"
            "COMX=/dev/a\nCOM1234=/dev/b\nCOM5=\nCOM=/dev/c\nno equals sign\n"
            "COM200=/dev/cr\rCOM201=/dev/crlf\r\nCOM33=/dev/last");
  const std::string file = dir.Path("Dravel_PORTS.txt");
  const radiokit::PortTable table(file);
  const platform::SerialPortRegistry program(file);

  struct Case {
    const char* name;
    const char* device;
  } cases[] = {
      {"COM3", "/dev/ttyUSB0"},  {"com3 ", "/dev/ttyUSB0"},   {"COM70", "/dev/pts/9"},
      {"COM1", "/dev/ttyS0"},    {"COM32", "/dev/ttyS31"},    {"COM33", "/dev/last"},
      {"COM34", "/dev/ttyUSB1"}, {"COM64", "/dev/ttyUSB31"},  {"COM65", "/dev/ttyACM0"},
      {"COM96", "/dev/ttyACM31"}, {"COM5", "/dev/ttyS4"},     {"COM200", "/dev/cr"},
      {"COM201", "/dev/crlf"},   {"COM0", ""},                {"COM97", ""},
      {"COMX", ""},              {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(table.DeviceOf(c.name), c.device) << '"' << c.name << '"';
  for (int n = 0; n <= 254; ++n) {
    const std::string name = "COM" + std::to_string(n);
    EXPECT_EQ(table.DeviceOf(name), program.DeviceOf(name)) << name;
  }
  ASSERT_EQ(table.Entries().size(), program.Table().size());
  for (std::size_t i = 0; i < table.Entries().size(); ++i)
    EXPECT_EQ(table.Entries()[i].name, program.Table()[i].name) << "entry " << i;
}

TEST(PortTable, WithoutAPortFileHoldsTheDefaults) {
  const radiokit::PortTable table("/nonexistent/Dravel_PORTS.txt");
  ASSERT_EQ(table.Entries().size(), 96u);
  EXPECT_EQ(table.DeviceOf("COM1"), "/dev/ttyS0");
  EXPECT_EQ(table.DeviceOf("COM33"), "/dev/ttyUSB0");
  EXPECT_EQ(table.DeviceOf("COM65"), "/dev/ttyACM0");
}
