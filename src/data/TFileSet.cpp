#include "data/TFileSet.h"

#include <iterator>

#include "data/TextUtils.h"
#include "platform/ProgramPath.h"

namespace {

// Where an ini value goes: a folder of the file set (or none, for the
// values stored as they are) and the member it completes.
struct IniKey {
  const char* key;
  PathText TFileSet::*folder;
  PathText TFileSet::*member;
};

constexpr IniKey kIniKeys[] = {
    {"RESTART_FILE", &TFileSet::programDir, &TFileSet::restartFile},
    {"NAMES_HISTORY_FILE", &TFileSet::documentsDir, &TFileSet::namesFile},
    {"USER_HELP_FILE", &TFileSet::documentsDir, &TFileSet::userHelpFile},
    {"VARO_MANUAL_FILE", &TFileSet::documentsDir, &TFileSet::radioManualFile},
    {"FREQ_ALLOCATION_FILE", &TFileSet::documentsDir, &TFileSet::freqAllocationFile},
    {"FREQ_ALLOCATION_EXTRA", &TFileSet::documentsDir, &TFileSet::allocationExtraFile},
    {"FREQ_ALLOCATION_ADVANCED", &TFileSet::documentsDir, &TFileSet::allocationAdvancedFile},
    {"FREQ_ALLOCATION_GENERAL", &TFileSet::documentsDir, &TFileSet::allocationGeneralFile},
    {"CHECK_REVISIONS_URL", nullptr, &TFileSet::revisionsUrl},
    {"OSTREL_URL", nullptr, &TFileSet::makerUrl},
    {"TALVEX_URL", nullptr, &TFileSet::programUrl},
};

}  // namespace

void TFileSet::Build(const std::string& modulePath) {
  constexpr char kSep = platform::kPathSeparator;
  const auto cut = modulePath.rfind(kSep);
  programDir = cut == std::string::npos ? std::string() : modulePath.substr(0, cut + 1);
  const std::string dir = programDir.str();
  documentsDir = dir + "Documents" + kSep;
  devicesDir = dir + "Devices" + kSep;
  logsDir = dir + "Logs" + kSep;
  iniFile = dir + "Dravel_INI.txt";
  restartFile = dir + "Dravel_RESTART.txt";
  activityFile = dir + "Dravel_ACTIVITY.txt";
  radioRestartFile = dir + "Dravel_RADIORESTART.txt";
  devicesFile = devicesDir.str() + "Dravel_DEVICES.txt";
  defaultLogFile = logsDir.str() + "Dravel_DEFAULTLOG.txt";
  messageTemplateFile = dir + "Dravel_MSGTEMPLATE.txt";
}

void TFileSet::ApplyIniEntry(const std::string& key, const std::string& value) {
  if (SameText(key, "VERSION")) {
    version = value;
    return;
  }
  for (const IniKey& entry : kIniKeys) {
    if (!SameText(key, entry.key)) continue;
    this->*entry.member = entry.folder ? (this->*entry.folder).str() + value : value;
    return;
  }
}

std::string TFileSet::PortsFile() const { return devicesDir.str() + "Dravel_PORTS.txt"; }
