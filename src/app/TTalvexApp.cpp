#include "app/TTalvexApp.h"

#include <cstdio>
#include <filesystem>

#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"
#include "platform/MessageSink.h"
#include "platform/ProgramPath.h"
#include "platform/SerialPortRegistry.h"

TTalvexApp* TalvexApp = nullptr;

namespace {
constexpr char kSep = platform::kPathSeparator;

// Copies a directory or path out into a caller's buffer of 261 characters.
void CopyOut(char* out, const PathText& path) { CopyText(out, path.c_str(), 260); }
}  // namespace

TTalvexApp::TTalvexApp() : m_bands(DefaultBands()) {
  BuildFileSet(platform::ProgramPath());
}

TTalvexApp::~TTalvexApp() = default;

void TTalvexApp::BuildFileSet(const std::string& modulePath) {
  const auto cut = modulePath.rfind(kSep);
  m_programDir = cut == std::string::npos ? std::string() : modulePath.substr(0, cut + 1);
  const std::string dir = m_programDir.str();
  m_documentsDir = dir + "Documents" + kSep;
  m_devicesDir = dir + "Devices" + kSep;
  m_logsDir = dir + "Logs" + kSep;
  m_iniFile = dir + "Dravel_INI.txt";
  m_restartFile = dir + "Dravel_RESTART.txt";
  m_activityFile = dir + "Dravel_ACTIVITY.txt";
  m_radioRestartFile = dir + "Dravel_RADIORESTART.txt";
  m_devicesFile = m_devicesDir.str() + "Dravel_DEVICES.txt";
  m_defaultLogFile = m_logsDir.str() + "Dravel_DEFAULTLOG.txt";
  m_messageTemplateFile = dir + "Dravel_MSGTEMPLATE.txt";
}

bool TTalvexApp::OpenDataFiles() {
  // 1. the ini file
  if (!ReadIniFile()) {
    platform::ShowMessage("Ini file is missing");
    return false;
  }
  // 2. the devices file
  if (!m_radioPairStartup.ReadDevicesFile(m_devicesFile.str())) {
    platform::ShowMessage("Supported devices file is missing");
    return false;
  }
  // 3. the serial ports of the radio pair
  m_radioPairStartup.ListPorts(GetPortsFile());
  // 4. the restart file
  restartFileRead = ReadRestartFile();
  // 5. the serial ports
  ListSerialPorts();
  // 6. the names file
  namesFileRead = OpenNamesFile();
  // 7. the message templates
  LoadMessageTemplates();
  return true;
}

bool TTalvexApp::ReadIniFile() {
  std::vector<std::string> lines;
  if (!LoadTextLines(m_iniFile.str(), lines)) {
    platform::ShowMessage("COULD NOT OPEN INI FILE");
    return false;
  }
  for (const auto& line : lines) {
    const auto pieces = SplitFields(line, "=");
    if (pieces.size() >= 2) ApplyIniEntry(pieces[0], pieces[1]);
  }
  return true;
}

void TTalvexApp::ApplyIniEntry(const std::string& key, const std::string& value) {
  const std::string docs = m_documentsDir.str();
  if (SameText(key, "VERSION")) m_version = value;
  else if (SameText(key, "RESTART_FILE")) m_restartFile = m_programDir.str() + value;
  else if (SameText(key, "NAMES_HISTORY_FILE")) m_namesFile = docs + value;
  else if (SameText(key, "USER_HELP_FILE")) m_userHelpFile = docs + value;
  else if (SameText(key, "VARO_MANUAL_FILE")) m_radioManualFile = docs + value;
  else if (SameText(key, "FREQ_ALLOCATION_FILE")) m_freqAllocationFile = docs + value;
  else if (SameText(key, "FREQ_ALLOCATION_EXTRA")) m_allocationExtraFile = docs + value;
  else if (SameText(key, "FREQ_ALLOCATION_ADVANCED")) m_allocationAdvancedFile = docs + value;
  else if (SameText(key, "FREQ_ALLOCATION_GENERAL")) m_allocationGeneralFile = docs + value;
  else if (SameText(key, "CHECK_REVISIONS_URL")) m_revisionsUrl = value;
  else if (SameText(key, "OSTREL_URL")) m_makerUrl = value;
  else if (SameText(key, "TALVEX_URL")) m_programUrl = value;
}

void TTalvexApp::TraceActivity(const std::string& message) {
  if (!activityTraceOn) return;
  std::FILE* f = std::fopen(m_activityFile.c_str(), "ab");
  if (!f) return;
  const std::string stamp =
      platform::FormatDateTime("ddd mmm dd hh:nn:ss yyyy: ", platform::LocalClock());
  std::fprintf(f, "%s%s\n", stamp.c_str(), message.c_str());
  std::fflush(f);
  std::fclose(f);
}

std::string TTalvexApp::GetPortsFile() const { return m_devicesDir.str() + "Dravel_PORTS.txt"; }

int TTalvexApp::ListSerialPorts() {
  m_serialPorts.clear();
  const platform::SerialPortRegistry registry(GetPortsFile());
  int count = 0;
  for (const auto& port : registry.PresentPorts()) {
    m_serialPorts.push_back(port.name);
    ++count;
  }
  NormaliseComList(m_serialPorts);
  return count;
}

bool TTalvexApp::IsSerialPortListed(const std::string& name) const {
  const std::string wanted = Trim(name);
  for (const auto& port : m_serialPorts)
    if (SameText(port, wanted)) return true;
  return false;
}

void TTalvexApp::GetDevicesDirectory(char* out) const { CopyOut(out, m_devicesDir); }
void TTalvexApp::GetLogsDirectory(char* out) const { CopyOut(out, m_logsDir); }
void TTalvexApp::GetDocumentsDirectory(char* out) const { CopyOut(out, m_documentsDir); }
