#include "HamlibSettings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <vector>

#include "Trim.h"

namespace hamlibradio {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

using radiokit::Trim;

// Comma-separated fields, blanks around them dropped; empty ones are not
// fields, as the devices file reads them.
std::vector<std::string> Fields(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    std::string field(Trim(text.substr(start, comma - start)));
    if (!field.empty()) fields.push_back(std::move(field));
    start = comma + 1;
  }
  return fields;
}

bool IsTag(const std::string& field) {
  return field.size() == 4 && (field[0] == 'P' || field[0] == 'N') && field[1] == 'R' &&
         (field[2] == 'P' || field[2] == 'N') && field[3] == 'D';
}

}  // namespace

int LeadingNumber(std::string_view text) {
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min<long long>(value * 10 + (c - '0'), 1000000000LL);
  }
  return static_cast<int>(value);
}

ConnectionSettings ParseConnectionText(std::string_view text) {
  ConnectionSettings s;
  std::vector<std::string> f = Fields(text);
  if (!f.empty() && IsTag(Upper(f.back()))) {
    std::string tag = Upper(f.back());
    s.hasTag = true;
    s.rtsOn = tag[0] == 'P';
    s.dtrOn = tag[2] == 'P';
    f.pop_back();
  }
  auto field = [&](std::size_t i) { return i < f.size() ? f[i] : std::string(); };
  std::string baud = field(2);
  if (!baud.empty() && std::all_of(baud.begin(), baud.end(), [](char c) { return c >= '0' && c <= '9'; }))
    s.baud = baud.substr(0, 10);
  s.model = LeadingNumber(field(3));
  s.rigPath = f.size() > 4 ? f[4] : std::string(1, '-');
  const std::string keying = field(5);
  s.keyingFromSettings = keying.empty() || keying == "-";
  SetKeying(s, s.keyingFromSettings ? std::string() : keying);
  std::string poll = field(6);
  if (!poll.empty() && LeadingNumber(poll) > 0)
    s.pollMs = std::clamp(LeadingNumber(poll), kMinPollMs, kMaxPollMs);
  return s;
}

void SetKeying(ConnectionSettings& s, std::string_view field) {
  const radiokit::KeyingSettings old = s.keyer;
  s.keyer = radiokit::ParseKeying(field);
  s.keyer.weight = old.weight;
  s.keyer.farnsworth = old.farnsworth;
  s.keyingText = s.keyer.kind == radiokit::KeyerKind::Cat ? "RIG" : s.keyer.text;
  switch (s.keyer.kind) {
    case radiokit::KeyerKind::Cat: s.keying = CwKeying::Rig; break;
    case radiokit::KeyerKind::None: s.keying = CwKeying::None; break;
    case radiokit::KeyerKind::Cwdaemon: s.keying = CwKeying::Cwdaemon; break;
    case radiokit::KeyerKind::WinKeyer: s.keying = CwKeying::WinKeyer; break;
    case radiokit::KeyerKind::Unknown: s.keying = CwKeying::Unknown; break;
  }
}

SavedSettings ReadSavedSettings(const std::string& path) {
  SavedSettings s;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t eq = line.find('=');
    if (eq == std::string::npos || line[0] == '#') continue;
    std::string key = Upper(Trim(line.substr(0, eq)));
    std::string value(Trim(line.substr(eq + 1)));
    if (key == "MODEL") s.model = LeadingNumber(value);
    else if (key == "PATH") s.rigPath = value;
    else if (key == "TIMEOUT" && !value.empty()) s.timeoutMs = std::clamp(LeadingNumber(value), kMinTimeoutMs, kMaxTimeoutMs);
    else if (key == "RETRY" && !value.empty()) s.retry = std::clamp(LeadingNumber(value), 0, kMaxRetry);
    else if (key == "KEYING") s.keying = value;
    else if (key == "WEIGHT" && !value.empty()) s.weight = std::clamp(LeadingNumber(value), 10, 90);
    else if (key == "FARNSWORTH" && LeadingNumber(value) > 0) s.farnsworth = std::clamp(LeadingNumber(value), 10, 99);
  }
  return s;
}

bool WriteSavedSettings(const std::string& path, const SavedSettings& s, std::string* error) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << "# HamlibRadio settings, written by its settings dialog.\n"
           "# MODEL and PATH are used when extra1 of the devices entry is 0.\n";
    out << "MODEL=" << s.model << "\n";
    out << "PATH=" << s.rigPath << "\n";
    if (s.timeoutMs > 0) out << "TIMEOUT=" << s.timeoutMs << "\n";
    if (s.retry >= 0) out << "RETRY=" << s.retry << "\n";
    if (!s.keying.empty()) out << "KEYING=" << s.keying << "\n";
    if (s.weight > 0) out << "WEIGHT=" << s.weight << "\n";
    if (s.farnsworth > 0) out << "FARNSWORTH=" << s.farnsworth << "\n";
    out.flush();
    if (!out) {
      if (error) *error = "Could not write " + temp;
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    if (error) *error = "Could not replace " + path;
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace hamlibradio
