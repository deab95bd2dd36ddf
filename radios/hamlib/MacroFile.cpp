#include "MacroFile.h"

#include <cctype>
#include <fstream>

#include "Trim.h"

namespace hamlibradio {
namespace {

using radiokit::Trim;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::vector<Macro> ReadMacroFile(const std::string& path) {
  std::vector<Macro> macros;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::string text(Trim(line));
    std::size_t eq = text.find('=');
    if (text.empty() || text[0] == '#' || eq == std::string::npos) continue;
    Macro macro;
    macro.name = Trim(std::string_view(text).substr(0, eq)).substr(0, kMaxMacroName);
    macro.name = std::string(Trim(macro.name));
    if (macro.name.empty() || FindMacro(macros, macro.name)) continue;
    std::string_view rest = std::string_view(text).substr(eq + 1);
    while (!rest.empty()) {
      std::size_t semi = rest.find(';');
      std::string command(Trim(rest.substr(0, semi)));
      if (!command.empty()) macro.commands.push_back(std::move(command));
      if (semi == std::string_view::npos) break;
      rest.remove_prefix(semi + 1);
    }
    macros.push_back(std::move(macro));
  }
  return macros;
}

const Macro* FindMacro(const std::vector<Macro>& macros, std::string_view name) {
  std::string wanted(Trim(name));
  for (const Macro& m : macros)
    if (SameName(m.name, wanted)) return &m;
  return nullptr;
}

}  // namespace hamlibradio
