#include "data/TMessageTemplates.h"

#include "data/TextFile.h"
#include "data/TextUtils.h"

namespace {
constexpr std::size_t kSlots = 6;
constexpr std::size_t kValueWidth = 104;
constexpr std::size_t kMessageWidth = 100;
}  // namespace

bool TMessageTemplates::Load(const std::string& path) {
  values.clear();
  autoCqDelay.reset();
  std::vector<std::string> lines;
  if (!LoadTextLines(path, lines)) return false;
  for (const auto& line : lines) {
    const std::string_view view(line);
    if (view.starts_with("MSG=")) {
      if (values.size() >= kSlots) continue;
      const auto pieces = SplitFields(view, "=");
      if (pieces.size() >= 2) values.push_back(CutText(pieces[1], kValueWidth));
    } else if (view.starts_with("AUTOCQ_DELAY=")) {
      const auto pieces = SplitFields(view, "=");
      if (pieces.size() >= 2) autoCqDelay = ReadInteger(pieces[1]);
    }
  }
  return true;
}

std::optional<std::string> MessageTextOfTemplate(std::string_view value) {
  const auto pieces = SplitFields(value, ",");
  if (pieces.size() < 2) return std::nullopt;
  return CutText(pieces[1], kMessageWidth);
}

std::string ExpandPlaceholder(std::string_view text, char placeholder, std::string_view value) {
  if (text.find(placeholder) == std::string_view::npos)
    return CutText(text, kMessageWidth);
  return ReplacePlaceholder(text, placeholder, value, kMessageWidth);
}

std::string ExpandMessage(std::string_view text, std::string_view station,
                          std::string_view sentRst, std::string_view name) {
  std::string out = ExpandPlaceholder(text, '@', station);
  out = ExpandPlaceholder(out, '$', sentRst);
  return ExpandPlaceholder(out, '!', name);
}

void TakeMessageTemplates(const TMessageTemplates& templates, TMessageSlots& slots) {
  for (std::size_t i = 0; i < templates.values.size() && i < slots.size(); ++i)
    slots[i].raw = templates.values[i];
  for (auto& slot : slots)
    if (const auto text = MessageTextOfTemplate(slot.raw.view())) slot.text = *text;
}

void ExpandMessageSlots(TMessageSlots& slots, std::string_view station, std::string_view sentRst,
                        std::string_view name) {
  for (auto& slot : slots) slot.expanded = ExpandMessage(slot.text.view(), station, sentRst, name);
}
