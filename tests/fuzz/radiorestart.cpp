// The radio restart file: the left radio's values, its VFO memories and the
// BANDLIMIT= lines as the program reads them; written and read back, the
// file comes out the same (Format, Load, Format).
#include "FuzzSupport.h"
#include "data/TRadioRestartFile.h"
#include "radio/TVFOMemory.h"

namespace {
std::string Reformat(const std::string& path) {
  TRadioRestartFile file(path);
  fuzz::Check(file.Load());
  TRadioRestartState left;
  left.frequency = ReadInteger(file.Value("LEFT_RADIO_FREQUENCY"));
  left.tuneStep = ReadInteger(file.Value("LEFT_RADIO_TUNESTEP"));
  left.modeIndex = ReadInteger(file.Value("LEFT_RADIO_MODE"));
  left.radioTag = Trim(CutText(file.Value("LEFT_RADIO_RTSDTR"), 4));  // a 4-letter code in the program
  for (const auto& text : file.VFOMemoryTexts(1))
    left.vfoMemories.push_back(TVFOMemory::FromText(text).ToText());
  return TRadioRestartFile::Format(left, fuzz::BandsWithLimits(file.BandLimitTexts()));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteFile("Dravel_RADIORESTART.txt", fuzz::Input(data, size));
  const std::string text = Reformat(path);
  fuzz::WriteFile("Dravel_RADIORESTART.txt", text);
  fuzz::Check(Reformat(path) == text);
  return 0;
}
