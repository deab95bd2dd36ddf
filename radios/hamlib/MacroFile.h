#pragma once
// Macros: named lists of radio commands, read from HamlibRadio_MACROS.txt
// beside the library. One macro a line:
//   NAME=COMMAND;COMMAND;...
// Lines starting with "#" and lines without "=" are skipped; the name is cut
// to 30 characters and a later line with the same name (any case) is
// dropped. The commands (RigLink runs them) are
//   FREQ <Hz>, MODE <mode> [<passband Hz>], RIT <Hz>, XIT <Hz>, SPEED <wpm>,
//   POWER <percent>, LEVEL <level> <value>, FUNC <function> <0|1>,
//   VFO <vfo>, MORSE <text>
// with Hamlib's names for modes, levels, functions and VFOs (as rigctl
// spells them: USB, RFPOWER, NB, VFOB ...).

#include <string>
#include <string_view>
#include <vector>

namespace hamlibradio {

constexpr std::size_t kMaxMacroName = 30;

struct Macro {
  std::string name;
  std::vector<std::string> commands;
};

/// The macros of the file in file order; a missing file gives none.
std::vector<Macro> ReadMacroFile(const std::string& path);

/// The macro of that name (case and surrounding blanks ignored), or nullptr.
const Macro* FindMacro(const std::vector<Macro>& macros, std::string_view name);

}  // namespace hamlibradio
