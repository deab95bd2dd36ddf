// The VFO memory text: a name of at most 4 bytes; the text form within its
// width reads back to the same memory whenever it was not cut.
#include "FuzzSupport.h"
#include "radio/TVFOMemory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  const TVFOMemory memory = TVFOMemory::FromText(input);
  const std::string text = memory.ToText();
  fuzz::Check(memory.Name().size() <= 4 && text.size() <= TVFOMemory::kTextLength);
  fuzz::CheckKeepsUtf8(fuzz::IsUtf8(input), text);
  fuzz::Check(TVFOMemory::FromText(text).ToText() == text);
  if (memory.ToText(100).size() <= TVFOMemory::kTextLength) fuzz::Check(TVFOMemory::FromText(text) == memory);
  return 0;
}
