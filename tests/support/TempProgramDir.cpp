#include "TempProgramDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/ProgramPath.h"

namespace fs = std::filesystem;

TempProgramDir::TempProgramDir() {
  std::string pattern = (fs::temp_directory_path() / "talvex-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  m_dir = pattern + "/";
  for (const char* sub : {"Devices", "Documents", "Logs"}) fs::create_directory(m_dir + sub);
  platform::SetProgramPathOverride(m_dir + "talvex");
}

TempProgramDir::~TempProgramDir() {
  platform::SetProgramPathOverride("");
  std::error_code ec;
  fs::remove_all(m_dir, ec);
}

void TempProgramDir::Write(const std::string& relative, const std::string& text) const {
  fs::create_directories(fs::path(m_dir + relative).parent_path());
  std::ofstream out(m_dir + relative, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string TempProgramDir::Read(const std::string& relative) const { return ReadWholeFile(m_dir + relative); }

bool TempProgramDir::Exists(const std::string& relative) const { return fs::exists(m_dir + relative); }

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
