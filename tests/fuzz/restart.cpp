// The restart file, with a backup when the input holds a NUL byte (the file
// before it, the backup after it). What a load gives is written and read
// back: Format, Load, Format gives the same text.
#include "FuzzSupport.h"
#include "data/TRestartFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  const auto nul = input.find('\0');
  const std::string path = fuzz::WriteFile("Dravel_RESTART.txt", input.substr(0, nul));
  std::string backup = fuzz::Dir() + "no-backup.txt";
  if (nul != std::string_view::npos) backup = fuzz::WriteFile("Dravel_RESTART_BACKUP.txt", input.substr(nul + 1));
  const TRestartFile file(path, {backup});
  TRestartSettings first;
  if (!file.Load(first)) return 0;
  const std::string text = TRestartFile::Format(first);
  fuzz::Check(file.Write(first));
  TRestartSettings second;
  fuzz::Check(file.Load(second) && TRestartFile::Format(second) == text);
  return 0;
}
