#pragma once
// Where the program finds its files and web addresses. BuildFileSet makes
// the program's own paths from the path of the running module; the ini file
// (Dravel_INI.txt, read only) then names the documents, the names file, the
// band-limits files and the web addresses, one KEY=value line each, through
// the key table of ApplyIniEntry. Nothing is created on disk.

#include <string>

#include "data/FixedText.h"

using PathText = FixedText<260>;

struct TFileSet {
  FixedText<14> version;
  PathText programDir, documentsDir, devicesDir, logsDir;
  PathText iniFile, restartFile, activityFile, radioRestartFile, devicesFile;
  PathText defaultLogFile, messageTemplateFile;
  PathText userHelpFile, radioManualFile, namesFile, freqAllocationFile;
  PathText allocationExtraFile, allocationAdvancedFile, allocationGeneralFile;
  PathText revisionsUrl, makerUrl, programUrl;

  /// Keeps the module path up to and including its last separator as the
  /// program directory and builds the three folders and the program's own
  /// files from it, each cut at 260 characters. The paths the ini file
  /// sets are left as they are.
  void Build(const std::string& modulePath);
  /// One ini line: the key compared without regard to case, the value used
  /// as it is; unknown keys are ignored, a later line overrides an earlier.
  void ApplyIniEntry(const std::string& key, const std::string& value);
  /// The port table beside the devices file.
  std::string PortsFile() const;
};
