#pragma once
// What puts a message on the air for the keyer (Keyer.h), one of four kinds:
//   CAT       the radio's own keyer, driven by the library (Hamlib's
//             send_morse); the keyer times the message
//   NONE      nothing is keyed; the keyer times the message
//   CWDAEMON  cwdaemon over UDP (default 127.0.0.1:6789); the end of each
//             message is its "h" reply
//   WINKEYER  a WinKeyer-protocol keyer on a serial port of its own; the
//             end of each message is its busy status clearing
// The devices entry's keying field names the kind: RIG (or CAT), NONE,
// CWDAEMON[:host[:port]] or CWDAEMON:port, WINKEYER:COMn.
//
// An output that reports ends is given each message by the keyer thread and
// calls KeyerSink::Keyed from a thread of its own once the last element has
// been keyed. Outputs call the sink with no lock of their own held; the
// keyer calls outputs with no lock of its own held.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace radiokit {

enum class KeyerKind { Cat, None, Cwdaemon, WinKeyer, Unknown };

constexpr const char* kCwdaemonHost = "127.0.0.1";
constexpr int kCwdaemonPort = 6789;
constexpr int kNormalWeight = 50;  // WinKeyer's scale, 10..90

/// A keyer kind and where it is.
struct KeyingSettings {
  KeyerKind kind = KeyerKind::Cat;
  std::string text = "RIG";  // the field as given, upper case
  std::string host = kCwdaemonHost;
  int port = kCwdaemonPort;
  std::string comPort;          // WINKEYER's COMn
  int weight = kNormalWeight;   // dot/dash weight, 10..90, 50 = normal
  int farnsworth = 0;           // character speed in WPM for Farnsworth spacing, 0: off
};

/// Reads a keying field (any case, blanks around ignored). An empty field
/// gives CAT; an unknown word gives Unknown; CWDAEMON's host and port
/// default to 127.0.0.1:6789 and a port outside 1..65535 keeps the default;
/// WINKEYER without a port is Unknown.
KeyingSettings ParseKeying(std::string_view field);
/// The words for the kinds: RIG, NONE, CWDAEMON, WINKEYER, UNKNOWN.
const char* KeyerKindName(KeyerKind kind);

/// What an output tells; any thread may call, with no output lock held.
class KeyerSink {
 public:
  virtual ~KeyerSink() = default;
  /// The last element of that message has been keyed.
  virtual void Keyed(std::uint64_t message) = 0;
  /// A trouble the operator is told of, once per trouble (the keyer is
  /// silent, gone), or (recovered) that it answers again.
  virtual void Trouble(const std::string& text, bool recovered) = 0;
  /// The keyer's own speed control moved (WinKeyer's speed pot).
  virtual void PotSpeed(int /*wpm*/) {}
};

class KeyerOutput {
 public:
  virtual ~KeyerOutput() = default;
  /// Whether Keyed will follow each Start now (false while the keyer is
  /// silent or gone: the message is then timed).
  virtual bool ReportsEnd() const = 0;
  /// Starts keying the text at the speed; returns at once.
  virtual void Start(const std::string& text, int wpm, std::uint64_t message) = 0;
  /// Stops keying at once; no Keyed follows for what was being keyed.
  virtual void Abort() = 0;
  /// The message's end did not come in time: the keyer has ended it.
  virtual void Overdue(std::uint64_t /*message*/) {}
  /// A line for the library's status text, e.g. "CWDAEMON 127.0.0.1:6789 ANSWERS".
  virtual std::string Describe() const = 0;
};

/// Resolves a COM name to its device file (the port table), empty when unknown.
using PortResolver = std::function<std::string(const std::string& comName)>;

/// The output for a kind that keys through a device of its own (cwdaemon,
/// WinKeyer); nullptr for CAT, NONE and Unknown, which the library keys
/// (or not) itself.
std::unique_ptr<KeyerOutput> MakeKeyerOutput(const KeyingSettings& settings, KeyerSink& sink,
                                             PortResolver resolve);

}  // namespace radiokit
