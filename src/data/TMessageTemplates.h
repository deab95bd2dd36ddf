#pragma once
// The message template file: "MSG=label,text" lines that fill the six
// message slots in file order (slot 0 on F1 ... slot 5 on F6) and an
// "AUTOCQ_DELAY=seconds" line; every other line is ignored. And the
// expansion of a message text for the contact being worked.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/FixedText.h"

/// What the template file holds for the application.
struct TMessageTemplates {
  /// The template values (label,text) of the first six MSG= lines that have
  /// something after the sign, each cut to 104 characters, in file order.
  std::vector<std::string> values;
  /// The last AUTOCQ_DELAY= line's value, when there is one with a value.
  std::optional<int> autoCqDelay;

  /// Reads the file; false (and nothing read) when it does not exist.
  bool Load(const std::string& path);
};

/// One row of the template editor: the button label and the message text.
struct TTemplateRow {
  std::string label;
  std::string text;
  bool operator==(const TTemplateRow&) const = default;
};

/// The rows the editor shows: every "MSG=" line split at each "=" and ","
/// (empty pieces dropped) that has at least a label and a text, in file
/// order and without a limit; the pieces after the text are not kept.
std::vector<TTemplateRow> ReadTemplateRows(const std::vector<std::string>& lines);

/// The template file as the editor writes it: "MSG=label,text" per row, then
/// "AUTOCQ_DELAY=" and the delay text as typed, when there is a delay line;
/// every line ends with "\n".
std::string FormatTemplateFile(const std::vector<TTemplateRow>& rows,
                               const std::optional<std::string>& delay);

/// The first character of a message text that the readers would cut it at
/// and the file cannot keep ("=", ",", a line break); nothing when it has none.
std::optional<char> CharacterTemplatesCannotKeep(std::string_view text);

/// The message text of a template value: its second comma piece (empty
/// pieces dropped), cut to 100 characters; nothing when it has none.
std::optional<std::string> MessageTextOfTemplate(std::string_view value);

/// One substitution: each run of the placeholder character becomes the value
/// (in which that character turns into a blank); at most 100 characters.
std::string ExpandPlaceholder(std::string_view text, char placeholder, std::string_view value);

/// The message as sent for a contact: "@" by the station worked, then "$"
/// by the sent report, then "!" by the operator's name; at most 100 characters.
std::string ExpandMessage(std::string_view text, std::string_view station,
                          std::string_view sentRst, std::string_view name);

/// One message slot: the template value, the message text and the message
/// expanded for the contact being worked.
struct TMessageSlot {
  FixedText<104> raw;
  FixedText<100> text;
  FixedText<100> expanded;
};

/// The six message slots: 0 on F1 (CQ), 1 to 4 on F2 to F5, 5 on F6 (73).
constexpr std::size_t kMessageSlots = 6;
using TMessageSlots = std::array<TMessageSlot, kMessageSlots>;

/// Takes the template values read into the first slots (the others keep
/// theirs), then sets each slot's message text from its template value
/// where it has one.
void TakeMessageTemplates(const TMessageTemplates& templates, TMessageSlots& slots);

/// Expands every slot's message text for the contact being worked (ExpandMessage).
void ExpandMessageSlots(TMessageSlots& slots, std::string_view station, std::string_view sentRst,
                        std::string_view name);
