#include "data/TRadioRestartFile.h"

#include <sstream>

#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/Files.h"

namespace {
std::string RightTrim(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

const char* SideOf(int radioNumber) {
  return radioNumber == 1 ? "LEFT_" : radioNumber == 2 ? "RIGHT_" : nullptr;
}
}  // namespace

TRadioRestartFile::TRadioRestartFile(std::string path) : m_path(std::move(path)) {}

bool TRadioRestartFile::Load() { return LoadTextLines(m_path, m_lines); }

std::string TRadioRestartFile::Value(std::string_view key) const {
  for (const auto& line : m_lines) {
    const auto eq = line.find('=');
    if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), key))
      return RightTrim(line.substr(eq + 1));
  }
  return {};
}

std::string TRadioRestartFile::RadioKey(int radioNumber, std::string_view name) {
  const char* side = SideOf(radioNumber);
  return side ? std::string(side) + "RADIO_" + std::string(name) : std::string();
}

std::vector<std::string> TRadioRestartFile::VFOMemoryTexts(int radioNumber) const {
  std::vector<std::string> texts;
  const char* side = SideOf(radioNumber);
  if (!side) return texts;
  const std::string key = std::string(side) + "VFO_MEMORY";
  for (const auto& line : m_lines) {
    if (line.find(key) == std::string::npos) continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;  // no value to build a memory from
    const auto end = line.find('=', eq + 1);
    texts.push_back(line.substr(eq + 1, end == std::string::npos ? std::string::npos : end - eq - 1));
  }
  return texts;
}

std::vector<std::string> TRadioRestartFile::BandLimitTexts() const {
  std::vector<std::string> texts;
  std::string text;
  for (const auto& line : m_lines)
    if (ParseBandLimitLine(line, text)) texts.push_back(text);
  return texts;
}

std::string TRadioRestartFile::Format(const std::optional<TRadioRestartState>& left,
                                      const std::vector<TRadioBand>& bands) {
  std::ostringstream out;
  if (left) {
    out << "LEFT_RADIO_FREQUENCY=" << left->frequency << "\n"
        << "LEFT_RADIO_TUNESTEP=" << left->tuneStep << "\n"
        << "LEFT_RADIO_MODE=" << left->modeIndex << "\n"
        << "LEFT_RADIO_RTSDTR=" << left->radioTag << "\n";
    for (const auto& memory : left->vfoMemories) out << "LEFT_VFO_MEMORY=" << memory << "\n";
  }
  for (const auto& band : bands) {
    WriteBandLimitLine(out, band);
    out << "\n";
  }
  out << kMarker;
  return out.str();
}

bool TRadioRestartFile::Write(const std::optional<TRadioRestartState>& left,
                              const std::vector<TRadioBand>& bands, int* error) const {
  return platform::WriteFileAtomically(m_path, Format(left, bands), error);
}
