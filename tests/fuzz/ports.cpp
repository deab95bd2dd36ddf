// The port table: each of COM1 to COM96 and every name the file maps is in
// the table once, with a device, and found again in any case.
#include <set>

#include "FuzzSupport.h"
#include "platform/SerialPortRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const platform::SerialPortRegistry registry(fuzz::WriteFile("Dravel_PORTS.txt", fuzz::Input(data, size)));
  std::set<std::string> names;
  for (const auto& entry : registry.Table()) {
    fuzz::Check(names.insert(entry.name).second && !entry.device.empty());
    std::string lower = entry.name;
    for (auto& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    fuzz::Check(registry.DeviceOf(lower) == entry.device);
  }
  for (int k = 1; k <= 96; ++k) fuzz::Check(names.count("COM" + std::to_string(k)) == 1);
  return 0;
}
