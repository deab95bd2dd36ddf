#include "data/TProgramDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "data/TextUtils.h"
#include "platform/Files.h"
#include "platform/ProgramPath.h"
#include "platform/SystemError.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kIniFile = "Dravel_INI.txt";
constexpr const char* kInstalledDataSet = "share/talvex";
constexpr const char* kPerUserFolder = "talvex";

std::string WithSeparator(std::string dir) {
  if (dir.empty() || dir.back() != platform::kPathSeparator) dir += platform::kPathSeparator;
  return dir;
}

bool IsFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// <prefix>/lib/talvex/ gives <prefix>/share/talvex/.
std::string InstalledDataSetOf(const std::string& moduleDir) {
  const fs::path prefix = fs::path(moduleDir).parent_path().parent_path().parent_path();
  return WithSeparator((prefix / kInstalledDataSet).lexically_normal().string());
}

std::string PerUserFolder(const TProgramDirectoryEnvironment& env) {
  if (!env.xdgDataHome.empty() && env.xdgDataHome.front() == '/') return WithSeparator(env.xdgDataHome) + kPerUserFolder;
  if (!env.home.empty()) return WithSeparator(env.home) + ".local/share/" + kPerUserFolder;
  return {};
}

// The program's own files, replaced when the installed copy differs; the
// operator is never asked to change them.
bool IsProgramsOwn(const std::string& relative) {
  if (relative == kIniFile) return true;
  return relative.rfind("Devices/", 0) == 0 && relative.find('/', 8) == std::string::npos &&
         relative.size() > 4 && SameText(relative.substr(relative.size() - 4), ".dll");
}

// Copies one file of the installed data set into the program directory
// under its rule; false with the reason when it was needed and failed.
bool PlaceFile(const std::string& from, const std::string& to, bool replace, std::string& problem) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(to, ec)) && !replace) return true;
  std::string text;
  int error = 0;
  if (!platform::ReadFileText(from, text, &error)) {
    if (problem.empty()) problem = platform::WithSystemError("Could not read " + from, error);
    return false;
  }
  if (replace) {
    std::string old;
    if (platform::ReadFileText(to, old) && old == text) return true;
  }
  fs::create_directories(fs::path(to).parent_path(), ec);
  if (!platform::WriteFileAtomically(to, text, &error)) {
    if (problem.empty()) problem = platform::WithSystemError("Could not write " + to, error);
    return false;
  }
  return true;
}

// Places every ordinary file under source at the same relative name under
// target + prefix; the folder's own names, the remains of an interrupted
// write and the file leftOut (the executable of a copy) stay behind.
template <typename Iterator>
bool PlaceTree(const std::string& source, const std::string& target, const std::string& prefix,
               const std::string& leftOut, std::string& problem) {
  bool ok = true;
  std::error_code ec;
  for (Iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileError;
    if (!it->is_regular_file(fileError) || it->path() == leftOut) continue;
    const std::string name = it->path().filename().string();
    if (name.front() == '.' || name.ends_with(".tmp")) continue;
    const std::string relative = prefix + it->path().lexically_relative(source).generic_string();
    if (!PlaceFile(it->path().string(), target + relative, IsProgramsOwn(relative), problem)) ok = false;
  }
  if (ec) {
    if (problem.empty()) problem = "Could not list " + source + ": " + ec.message();
    ok = false;
  }
  return ok;
}

}  // namespace

TProgramDirectoryEnvironment TProgramDirectoryEnvironment::FromProcess() {
  TProgramDirectoryEnvironment env;
  if (const char* value = std::getenv("XDG_DATA_HOME")) env.xdgDataHome = value;
  if (const char* value = std::getenv("HOME")) env.home = value;
  env.canWrite = platform::CanWriteFolder;
  return env;
}

TProgramDirectory ChooseProgramDirectory(const std::string& modulePath, const TProgramDirectoryEnvironment& env) {
  TProgramDirectory chosen;
  chosen.modulePath = modulePath;
  const auto cut = modulePath.rfind(platform::kPathSeparator);
  chosen.dir = cut == std::string::npos ? std::string() : modulePath.substr(0, cut + 1);
  const std::string moduleDir = chosen.dir;

  const bool ownDataSet = IsFile(moduleDir + kIniFile);
  const std::string installed = InstalledDataSetOf(moduleDir);
  const bool installedLayout = !ownDataSet && IsFile(installed + kIniFile);
  // An installed tree is not even probed: nothing is written into it. A
  // folder without a data set has nothing to fill the user's folder from.
  const bool readOnlyCopy = ownDataSet && !(env.canWrite && env.canWrite(moduleDir.empty() ? "." : moduleDir));
  if (!installedLayout && !readOnlyCopy) return chosen;

  const std::string perUser = PerUserFolder(env);
  if (perUser.empty()) return chosen;
  chosen.dir = WithSeparator(perUser);
  chosen.modulePath = chosen.dir + "talvex";
  chosen.dataSetDir = installedLayout ? installed : moduleDir;
  chosen.librariesDir = WithSeparator(moduleDir + "Devices");
  chosen.sourceModulePath = modulePath;
  return chosen;
}

bool FillProgramDirectory(const TProgramDirectory& dir, std::string& problem) {
  problem.clear();
  if (!dir.IsPerUser()) return true;
  std::error_code ec;
  for (const char* folder : {"", "Devices", "Documents", "Logs"}) {
    const std::string path = dir.dir + folder;
    fs::create_directories(path, ec);
    if (!fs::is_directory(path, ec)) {
      problem = "Could not make the folder " + path + ": " + ec.message();
      return false;
    }
  }
  bool ok = PlaceTree<fs::recursive_directory_iterator>(dir.dataSetDir, dir.dir, "", dir.sourceModulePath, problem);
  // The libraries beside an installed executable; a copy's own data set
  // brought its libraries along already.
  if (fs::path(dir.librariesDir).lexically_normal() != fs::path(dir.dataSetDir + "Devices/").lexically_normal())
    ok = PlaceTree<fs::directory_iterator>(dir.librariesDir, dir.dir, "Devices/", {}, problem) && ok;
  return ok;
}
