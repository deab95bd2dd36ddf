#pragma once
// Which folder is the program directory, and filling it when it is not the
// program's own.
//
// A copy whose folder holds its data set and can be written (a build's
// program/ folder, a copy the user unpacked) works in that folder, as it
// always has; so does a folder without a data set. An installed copy works
// in a folder of the user's, $XDG_DATA_HOME/talvex, else
// ~/.local/share/talvex, which the first start fills from the installed data
// set. A copy is installed when its folder holds its data set but cannot be
// written, or when it is laid out as the package lays it out: the executable
// and the radio libraries in <prefix>/lib/talvex/ with no data set beside
// them, the data set in <prefix>/share/talvex/ (so that root, who may write
// anywhere, does not write into the installed files).

#include <functional>
#include <string>

struct TProgramDirectory {
  /// The path BuildFileSet is given: the module itself, or a name inside
  /// the per-user folder.
  std::string modulePath;
  /// The program directory, with a trailing separator.
  std::string dir;
  /// Where the per-user folder is filled from: the data set (ini file,
  /// Devices/, Documents/, Logs/ ...) and the folder holding the radio
  /// libraries. Both empty when the program works in its own folder.
  std::string dataSetDir;
  std::string librariesDir;
  /// The executable itself, which a copy's data set leaves behind.
  std::string sourceModulePath;

  bool IsPerUser() const { return !dataSetDir.empty(); }
};

/// What the choice depends on besides the files themselves.
struct TProgramDirectoryEnvironment {
  std::string xdgDataHome;  ///< ignored unless an absolute path, as XDG says
  std::string home;
  /// Whether the program may make files in a folder.
  std::function<bool(const std::string& dir)> canWrite;

  /// The process's XDG_DATA_HOME and HOME, and platform::CanWriteFolder.
  static TProgramDirectoryEnvironment FromProcess();
};

/// Picks the program directory for the executable at modulePath. Writes
/// nothing but the probe of canWrite. Without a per-user folder to go to
/// (neither variable set) the program keeps its own folder.
TProgramDirectory ChooseProgramDirectory(const std::string& modulePath, const TProgramDirectoryEnvironment& env);

/// Fills a per-user program directory; does nothing for the program's own
/// folder. Files the operator owns or the program writes (the devices file,
/// the message templates, Documents/, Logs/, the restart files, the radio
/// libraries' own settings) are copied only when missing and never
/// overwritten. The program's own code and read-only data, the radio
/// libraries (Devices/*.dll) and the ini file, are replaced when the
/// installed copy differs, so that an upgraded package takes effect. Every
/// file is written whole or not at all. False, with the file and the reason
/// in problem, when something could not be made; what could be made is kept.
bool FillProgramDirectory(const TProgramDirectory& dir, std::string& problem);
