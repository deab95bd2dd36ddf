#pragma once
// One VFO memory as the radio library and the radio restart file exchange it:
// a label of at most 4 characters and a signed 32-bit number (usually a
// frequency in Hz). Text form: name, ",", value in decimal.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "data/FixedText.h"

class TVFOMemory {
 public:
  /// The width of the text form in the library exchange.
  static constexpr std::size_t kTextLength = 14;

  TVFOMemory() = default;
  TVFOMemory(std::string_view name, std::int32_t value) : m_name(name), m_value(value) {}

  /// Reads the text form: the name is what stands before the first comma (cut
  /// to 4 characters), the value the number after it (0 when absent or not a
  /// number). An empty name stays empty, so ",7025000" keeps its value.
  static TVFOMemory FromText(std::string_view text);

  /// The text form, cut to length characters.
  std::string ToText(std::size_t length = kTextLength) const;

  const FixedText<4>& Name() const { return m_name; }
  std::int32_t Value() const { return m_value; }
  void SetName(std::string_view name) { m_name = name; }
  void SetValue(std::int32_t value) { m_value = value; }

  bool operator==(const TVFOMemory& other) const {
    return m_name.view() == other.m_name.view() && m_value == other.m_value;
  }

 private:
  FixedText<4> m_name;
  std::int32_t m_value = 0;
};
