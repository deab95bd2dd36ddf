// The ini file as the application reads it: lines split at "=", the pieces
// applied to the file set. The paths it sets keep valid UTF-8 valid.
#include "FuzzSupport.h"
#include "data/TFileSet.h"
#include "data/TextFile.h"
#include "data/TextUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  std::vector<std::string> lines;
  fuzz::Check(LoadTextLines(fuzz::WriteFile("Dravel_INI.txt", input), lines));
  TFileSet files;
  files.Build(fuzz::Dir() + "talvex");
  for (const auto& line : lines) {
    const auto pieces = SplitFields(line, "=");
    if (pieces.size() >= 2) files.ApplyIniEntry(pieces[0], pieces[1]);
  }
  const bool utf8 = fuzz::IsUtf8(input);
  fuzz::CheckKeepsUtf8(utf8, files.version);
  for (const PathText* path : {&files.userHelpFile, &files.radioManualFile, &files.namesFile,
                               &files.freqAllocationFile, &files.allocationExtraFile,
                               &files.revisionsUrl, &files.makerUrl, &files.programUrl})
    fuzz::CheckKeepsUtf8(utf8, *path);
  return 0;
}
