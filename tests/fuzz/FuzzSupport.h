#pragma once
// What every fuzz target shares: a scratch folder per process (one file
// name per format, rewritten for each input), a message sink that keeps
// quiet, and the checks, which trap so that libFuzzer keeps the input.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "data/FixedText.h"
#include "data/TRadioBand.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"

namespace fuzz {

inline void Check(bool ok) {
  if (!ok) __builtin_trap();
}

inline bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0, n = 0; i < text.size(); i += n)
    if ((n = Utf8CharLength(text.substr(i))) == 0) return false;
  return true;
}

/// A text made from valid UTF-8 must still be valid UTF-8.
inline void CheckKeepsUtf8(bool inputWasUtf8, std::string_view result) { Check(!inputWasUtf8 || IsUtf8(result)); }

inline std::string_view Input(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

class QuietSink : public platform::MessageSink {
 public:
  void ShowMessage(const std::string&) override {}
  platform::MessageAnswer Ask(const std::string&, const std::string&, platform::MessageIcon,
                              platform::MessageButtons) override {
    return platform::MessageAnswer::Ok;
  }
};

/// The process's scratch folder, ending in a separator; removed at exit.
inline const std::string& Dir() {
  struct Scratch {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("talvex-fuzz-" + std::to_string(getpid()));
    QuietSink sink;
    Scratch() {
      std::filesystem::create_directories(path);
      platform::SetMessageSink(&sink);
    }
    ~Scratch() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static Scratch scratch;
  static const std::string dir = scratch.path.string() + "/";
  return dir;
}

/// Replaces the file name in the scratch folder with text; its path.
inline std::string WriteFile(const std::string& name, std::string_view text) {
  const std::string path = Dir() + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  Check(f && std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fclose(f) == 0);
  return path;
}

/// The default bands with the limits of each band-limit text applied, as the
/// application takes them: a text of nine pieces sets the band it names.
inline std::vector<TRadioBand> BandsWithLimits(const std::vector<std::string>& texts) {
  std::vector<TRadioBand> bands = DefaultBands();
  for (const auto& text : texts) {
    const auto pieces = SplitBandLimitText(text);
    if (pieces.size() < 9) continue;
    std::array<std::string, 8> limits;
    for (std::size_t i = 0; i < 8; ++i) limits[i] = pieces[i + 1];
    for (auto& band : bands)
      if (SameText(band.name.view(), pieces[0])) {
        band.SetLimits(limits);
        break;
      }
  }
  return bands;
}

}  // namespace fuzz
