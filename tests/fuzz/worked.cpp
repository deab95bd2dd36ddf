// The default log by call: every record line counts once for its call, and
// a call found is found again in any letter case and with blanks around it.
#include "FuzzSupport.h"
#include "data/TWorkedIndex.h"
#include "data/TextUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  TWorkedIndex index;
  fuzz::Check(index.Load(fuzz::WriteFile("log.txt", input)));
  const std::string_view first = input.substr(0, input.find('\n'));
  const TWorkedSummary worked = index.Lookup(first, first, first);
  fuzz::Check(worked.count <= index.Lines());
  if (worked.count > 0) fuzz::Check(index.Lookup(" " + UpperCase(first) + " ", "", "").count == worked.count);
  fuzz::CheckKeepsUtf8(fuzz::IsUtf8(input), WorkedText(worked));
  return 0;
}
