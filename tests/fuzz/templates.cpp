// The message template file: at most six slots, each text within its width
// before and after expansion, valid UTF-8 kept valid.
#include "FuzzSupport.h"
#include "data/TMessageTemplates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  TMessageTemplates templates;
  fuzz::Check(templates.Load(fuzz::WriteFile("Dravel_MSGTEMPLATE.txt", input)));
  fuzz::Check(templates.values.size() <= kMessageSlots);
  TMessageSlots slots;
  TakeMessageTemplates(templates, slots);
  // The contact's details come from the input too: placeholders in them.
  const std::string name = CutText(input.substr(size / 2), 15);
  ExpandMessageSlots(slots, CutText(input, 30), "5@9", name);
  const bool utf8 = fuzz::IsUtf8(input) && fuzz::IsUtf8(name);
  for (const auto& value : templates.values) fuzz::Check(value.size() <= 104);
  for (const auto& slot : slots) {
    fuzz::CheckKeepsUtf8(utf8, slot.raw);
    fuzz::CheckKeepsUtf8(utf8, slot.text);
    fuzz::CheckKeepsUtf8(utf8, slot.expanded);
  }
  return 0;
}
