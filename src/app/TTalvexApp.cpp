#include "app/TTalvexApp.h"
#include "app/TRadioSession.h"
#include "app/TNetLogger.h"
#include "data/TLogJournal.h"

#include "data/TContactLog.h"
#include "data/TOperatorList.h"
#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"
#include "platform/Files.h"
#include "platform/MessageSink.h"
#include "platform/ProgramPath.h"
#include "platform/SerialPortRegistry.h"
#include "radio/TRadioPair.h"
#include "radio/TRadioStartup.h"

TTalvexApp* TalvexApp = nullptr;

TTalvexApp::TTalvexApp()
    : m_radioPair(std::make_unique<TRadioPair>()),
      m_radioPairStartup(std::make_unique<TRadioPairStartup>()),
      m_bands(DefaultBands()),
      m_operators(std::make_unique<TOperatorList>()),
      m_contactLog(std::make_unique<TContactLog>()),
      m_worked(std::make_unique<TWorkedIndex>()) {
  // The module's own folder, or the user's folder for an installed copy.
  m_programDirectory = ChooseProgramDirectory(platform::ProgramPath(), TProgramDirectoryEnvironment::FromProcess());
  BuildFileSet(m_programDirectory.modulePath);
}

TTalvexApp::~TTalvexApp() = default;

bool TTalvexApp::OpenDataFiles() {
  // 0. an installed copy's folder of the user's: what is missing there, and
  // the program's own files an upgrade changed; a failure is told, and the
  // files below then say what they lack
  if (std::string problem; !FillProgramDirectory(m_programDirectory, problem))
    platform::ShowMessage("Could not set up the program folder " + m_programDirectory.dir + ": " + problem);
  // 1. the ini file
  if (!ReadIniFile()) {
    platform::ShowMessage("Ini file is missing");
    return false;
  }
  // 2. the devices file
  if (!m_radioPairStartup->ReadDevicesFile(m_files.devicesFile.str())) {
    platform::ShowMessage("Supported devices file is missing");
    return false;
  }
  // 3. the serial ports of the radio pair
  m_radioPairStartup->ListPorts(m_files.PortsFile());
  // 4. the restart file
  m_restartFileRead = ReadRestartFile();
  // 5. the serial ports
  ListSerialPorts();
  // 6. the names file
  m_namesFileRead = OpenNamesFile();
  // 7. the message templates
  LoadMessageTemplates();
  // 8. the default log, indexed by call for the worked-before text (a log
  // not written yet is an empty one)
  m_worked->Load(m_files.defaultLogFile.str());
  return true;
}

bool TTalvexApp::ReadIniFile() {
  std::vector<std::string> lines;
  if (!LoadTextLines(m_files.iniFile.str(), lines)) {
    platform::ShowMessage("COULD NOT OPEN INI FILE");
    return false;
  }
  for (const auto& line : lines) {
    const auto pieces = SplitFields(line, "=");
    if (pieces.size() >= 2) ApplyIniEntry(pieces[0], pieces[1]);
  }
  return true;
}

void TTalvexApp::TraceActivity(const std::string& message) {
  if (!m_activityTraceOn) return;
  const std::string stamp =
      platform::FormatDateTime("ddd mmm dd hh:nn:ss yyyy: ", platform::LocalClock());
  // Through the durable append: the trace up to a crash survives it, and a
  // FIFO or folder in the file's place is refused instead of waited on.
  platform::AppendFileDurably(m_files.activityFile.str(), stamp + message + "\n");
}

int TTalvexApp::ListSerialPorts() {
  m_serialPorts.clear();
  const platform::SerialPortRegistry registry(m_files.PortsFile());
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

void TTalvexApp::SetDisplayOption(TDisplayOption option, bool on) {
  switch (option) {
    case TDisplayOption::kCenteredForms: m_options.wantCenteredForms = on; break;
    case TDisplayOption::kDisableScreenSaver: m_options.disableScreenSaver = on; break;
    case TDisplayOption::kDisableAltF4: m_options.disableAltF4 = on; break;
  }
}

void TTalvexApp::ChangeLocalLog(const std::string& file, int type) {
  m_options.localLogFile = file;
  m_options.localLogAdif = type == kLogTypeAdif;
  SetLocalLogging(true);
  SetLogFile(1, GetLocalLogFile(), GetLocalLogType());
}

bool TTalvexApp::MayCloseWithContact(bool endRequested) {
  if (!m_logLine.HoldsUnloggedContact()) return true;
  if (!endRequested) return AskQuitWithUnloggedContact();
  // Nobody can be asked: the contact is kept for the operator to find.
  SaveUnloggedContact(UtcNow());
  return true;
}

std::unique_ptr<TRadioSession> TTalvexApp::OpenSession(TSessionWindow& window) {
  return std::make_unique<TRadioSession>(*this, window);
}
