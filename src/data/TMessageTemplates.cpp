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

std::vector<TTemplateRow> ReadTemplateRows(const std::vector<std::string>& lines) {
  std::vector<TTemplateRow> rows;
  for (const auto& line : lines) {
    if (!std::string_view(line).starts_with("MSG=")) continue;
    const auto pieces = SplitFields(line, "=,");
    if (pieces.size() >= 3) rows.push_back({pieces[1], pieces[2]});
  }
  return rows;
}

std::string FormatTemplateFile(const std::vector<TTemplateRow>& rows,
                               const std::optional<std::string>& delay) {
  std::string text;
  for (const auto& row : rows) text += "MSG=" + row.label + "," + row.text + "\n";
  if (delay) text += "AUTOCQ_DELAY=" + *delay + "\n";
  return text;
}

std::optional<char> CharacterTemplatesCannotKeep(std::string_view text) {
  const auto at = text.find_first_of("=,\r\n");
  if (at == std::string_view::npos) return std::nullopt;
  return text[at];
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
