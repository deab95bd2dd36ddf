// The names file: one operator per call (case aside), each found again by
// its call; the lookup of a fuzzed call (the first line) stays within its
// width, valid UTF-8 kept valid.
#include "FuzzSupport.h"
#include "data/TOperatorList.h"
#include "data/TextUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  TOperatorList list;
  fuzz::Check(list.LoadNamesFile(fuzz::WriteFile("names.txt", input)));
  for (const auto& op : list.Operators()) {
    fuzz::Check(list.Find(op.call.view()) == &op && list.Find(UpperCase(op.call.view())) == &op);
  }
  const std::string answer = list.Lookup(input.substr(0, input.find('\n')), 25, true, true);
  fuzz::Check(answer.size() <= 25);
  fuzz::CheckKeepsUtf8(fuzz::IsUtf8(input), answer);
  return 0;
}
