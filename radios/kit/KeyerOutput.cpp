#include "KeyerOutput.h"

#include <cctype>

#include "CwdaemonKeyer.h"
#include "Trim.h"
#include "WinKeyer.h"

namespace radiokit {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

int PortNumber(std::string_view text) {
  if (text.empty() || text.size() > 5) return 0;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value <= 65535 ? value : 0;
}

}  // namespace

KeyingSettings ParseKeying(std::string_view field) {
  KeyingSettings s;
  const std::string text(Trim(field));
  if (text.empty()) return s;
  s.text = Upper(text);
  const std::size_t colon = text.find(':');
  const std::string word = Upper(Trim(std::string_view(text).substr(0, colon)));
  const std::string rest = colon == std::string::npos ? std::string() : text.substr(colon + 1);
  if (word == "RIG" || word == "CAT") {
    s.kind = KeyerKind::Cat;
  } else if (word == "NONE") {
    s.kind = KeyerKind::None;
  } else if (word == "CWDAEMON") {
    s.kind = KeyerKind::Cwdaemon;
    // CWDAEMON:port as well: the whole connection text has 64 characters.
    std::string_view where = Trim(rest), host = where, port;
    if (PortNumber(where) > 0) {
      host = {};
      port = where;
    } else if (const std::size_t c = where.rfind(':'); c != std::string_view::npos) {
      host = Trim(where.substr(0, c));
      port = Trim(where.substr(c + 1));
    }
    if (!host.empty()) s.host = std::string(host);
    if (PortNumber(port) > 0) s.port = PortNumber(port);
  } else if (word == "WINKEYER") {
    s.comPort = Upper(Trim(rest));
    s.kind = s.comPort.empty() ? KeyerKind::Unknown : KeyerKind::WinKeyer;
  } else {
    s.kind = KeyerKind::Unknown;
  }
  return s;
}

const char* KeyerKindName(KeyerKind kind) {
  switch (kind) {
    case KeyerKind::Cat: return "RIG";
    case KeyerKind::None: return "NONE";
    case KeyerKind::Cwdaemon: return "CWDAEMON";
    case KeyerKind::WinKeyer: return "WINKEYER";
    case KeyerKind::Unknown: break;
  }
  return "UNKNOWN";
}

std::unique_ptr<KeyerOutput> MakeKeyerOutput(const KeyingSettings& settings, KeyerSink& sink,
                                             PortResolver resolve) {
  switch (settings.kind) {
    case KeyerKind::Cwdaemon: return std::make_unique<CwdaemonKeyer>(settings, sink);
    case KeyerKind::WinKeyer: return std::make_unique<WinKeyer>(settings, sink, std::move(resolve));
    default: return nullptr;
  }
}

}  // namespace radiokit
