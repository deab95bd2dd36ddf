// The devices file: every radio it names answers its library file and
// connection text within their widths, valid UTF-8 kept valid.
#include "FuzzSupport.h"
#include "radio/TRadioStartup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  TRadioStartup startup;
  fuzz::Check(startup.ReadDevicesFile(fuzz::WriteFile("Dravel_DEVICES.txt", input)));
  const bool utf8 = fuzz::IsUtf8(input);
  for (const auto& name : startup.RadioNames()) {
    std::string file, text;
    if (startup.GetLibraryFileName(name, file)) {
      fuzz::Check(file.size() <= 260);
      fuzz::CheckKeepsUtf8(utf8, file);
    }
    if (startup.GetConnectionText(name, "DEFAULT", text, 59)) {
      fuzz::Check(text.size() <= 59);
      fuzz::CheckKeepsUtf8(utf8, text);
    }
  }
  return 0;
}
