#include "data/TRestartFile.h"

#include <utility>

#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/Files.h"
#include "platform/MessageSink.h"

namespace {

using S = TRestartSettings;

// One line of the restart file: how its value is read and written.
struct Entry {
  const char* key;
  void (*apply)(S&, const std::string&);
  std::string (*format)(const S&);
};

template <auto Member>
constexpr Entry Flag(const char* key) {
  return {key, [](S& s, const std::string& v) { s.*Member = SameText(v, "YES"); },
          [](const S& s) { return std::string(s.*Member ? "YES" : "NO"); }};
}

template <auto Member>
constexpr Entry Text(const char* key) {
  // Trimmed again after the cut: blanks it brings to the end would be gone
  // at the next read. A value that comes to nothing (only control
  // characters, a character wider than the field) changes nothing, as a
  // line without a value does: written as "KEY=", it would not read back.
  return {key,
          [](S& s, const std::string& v) {
            const std::string text = Trim(CutText(v, (s.*Member).Width()));
            if (!text.empty()) s.*Member = text;
          },
          [](const S& s) { return (s.*Member).str(); }};
}

template <auto Member>
constexpr Entry Integer(const char* key) {
  return {key, [](S& s, const std::string& v) { s.*Member = ReadInteger(v); },
          [](const S& s) { return std::to_string(s.*Member); }};
}

template <int Column>
constexpr Entry Width(const char* key) {
  return {key, [](S& s, const std::string& v) { s.columnWidths[Column] = ReadInteger(v); },
          [](const S& s) { return std::to_string(s.columnWidths[Column]); }};
}

constexpr Entry kLogType{
    "USER_DEFINED_LOGTYPE",
    [](S& s, const std::string& v) { s.localLogAdif = !SameText(v, "ARRL"); },
    [](const S& s) { return std::string(s.localLogAdif ? "ADIF" : "ARRL"); }};

// In the order the writer emits them.
constexpr Entry kEntries[] = {
    Flag<&S::disableAltF4>("DISABLE_ALTF4"),
    Flag<&S::disableScreenSaver>("DISABLE_SCREENSAVER"),
    Flag<&S::wantCenteredForms>("WANT_CENTERED_FORMS"),
    Flag<&S::controlSubsetEnabled>("CONTROL_SUBSET_ENABLED"),
    Flag<&S::showFocMembers>("SHOW_FOC_MEMBERS"),
    Flag<&S::showCwopMembers>("SHOW_CWO_MEMBERS"),
    Flag<&S::sioLogAdif>("WANTS_SIOLOG_ADIF"),
    Flag<&S::sioLogArrl>("WANTS_SIOLOG_ARRL"),
    Text<&S::radioComPort>("RADIO_COM_PORT"),
    Text<&S::radioBaud>("RADIO_BAUD"),
    Text<&S::sioLogComPort>("SIOLOG_COM_PORT"),
    Text<&S::sioLogBaud>("SIOLOG_BAUD_RATE"),
    Text<&S::sioLogStopBits>("SIOLOG_STOP_BITS"),
    Text<&S::sioLogDataBits>("SIOLOG_DATA_BITS"),
    Text<&S::sioLogParity>("SIOLOG_PARITY"),
    Text<&S::localLogFile>("USER_DEFINED_LOGFILE"),
    kLogType,
    Width<0>("LOG_DISPLAY_COLWIDTH_DATE"),
    Width<1>("LOG_DISPLAY_COLWIDTH_FREQ"),
    Width<2>("LOG_DISPLAY_COLWIDTH_MODE"),
    Width<3>("LOG_DISPLAY_COLWIDTH_PWR"),
    Width<4>("LOG_DISPLAY_COLWIDTH_UTCON"),
    Width<5>("LOG_DISPLAY_COLWIDTH_STN"),
    Width<6>("LOG_DISPLAY_COLWIDTH_SRST"),
    Width<7>("LOG_DISPLAY_COLWIDTH_RRST"),
    Width<8>("LOG_DISPLAY_COLWIDTH_UTCOFF"),
    Width<9>("LOG_DISPLAY_COLWIDTH_QTH"),
    Width<10>("LOG_DISPLAY_COLWIDTH_NAME"),
    Width<11>("LOG_DISPLAY_COLWIDTH_ORG"),
    Integer<&S::autoCqDelay>("AUTO_CQ_DELAY"),
    Flag<&S::wantKeyboard>("WANTS_KEYBOARD"),
    Flag<&S::wantLogGrid>("WANTS_LOGGRID"),
    Flag<&S::wantMessageButtons>("WANTS_MSG_BUTTONS"),
    Flag<&S::wantTitleBars>("WANTS_TITLE_BARS"),
    Flag<&S::wantAutoCq>("WANTS_AUTO_CQ"),
};
static_assert(std::size(kEntries) == 35);

bool IsValid(const std::vector<std::string>& lines) {
  return !lines.empty() && SameText(lines.back(), TRestartFile::kMarker);
}

}  // namespace

void TRestartSettings::Apply(const std::string& key, const std::string& value) {
  for (const Entry& entry : kEntries) {
    if (SameText(key, entry.key)) {
      entry.apply(*this, value);
      return;
    }
  }
}

TRestartFile::TRestartFile(std::string path, std::vector<std::string> backups)
    : m_path(std::move(path)), m_backups(std::move(backups)) {}

bool TRestartFile::Load(TRestartSettings& settings) const {
  std::vector<std::string> lines;
  LoadTextLines(m_path, lines);
  if (!IsValid(lines)) {
    std::string backup;
    bool found = false;
    for (const auto& candidate : m_backups)
      if ((found = ReadTextFile(candidate, backup))) break;
    if (!found) {
      platform::ShowMessage("Backup Restart file not found");
      return false;
    }
    // The backup's copy becomes the restart file; should the folder refuse
    // the copy, the backup's options are still used for this run.
    platform::WriteFileAtomically(m_path, backup);
    platform::ShowMessage("Invalid restart file -- using backup");
    lines = SplitTextLines(backup);
  }
  for (const auto& line : lines) {
    const auto pieces = SplitFields(line, "=");
    if (pieces.size() >= 2) settings.Apply(pieces[0], Trim(pieces[1]));
  }
  return true;
}

bool TRestartFile::Write(const TRestartSettings& settings) const {
  return platform::WriteFileAtomically(m_path, Format(settings));
}

std::string TRestartFile::Format(const TRestartSettings& settings) {
  std::string text;
  for (const Entry& entry : kEntries) {
    text += entry.key;
    text += '=';
    text += entry.format(settings);
    text += '\n';
  }
  text += kMarker;
  return text;
}
