#include "data/TContactLog.h"

#include <filesystem>

#include "data/TextUtils.h"
#include "platform/Files.h"
#include "platform/MessageSink.h"
#include "platform/SystemError.h"

namespace {
bool IsNewOrEmpty(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec || size == 0;
}
}  // namespace

bool TContactLog::AppendLine(const std::string& path, const std::string& line) {
  int error = 0;
  const bool written = platform::AppendFileDurably(path, line + "\n", &error);
  return Done(path, written, error);
}

bool TContactLog::AppendAdif(const std::string& path, const TLogContact& contact,
                             const std::string& programVersion) {
  std::string text;
  if (IsNewOrEmpty(path) || NeedsAdifHeader(path)) text = BuildAdifHeader(programVersion, contact.utc);
  text += BuildAdifRecord(contact);
  int error = 0;
  const bool written = platform::AppendFileDurably(path, text, &error);
  return Done(path, written, error);
}

bool TContactLog::AppendLocal(const std::string& path, bool adif, const TLogContact& contact,
                              const std::string& programVersion) {
  return adif ? AppendAdif(path, contact, programVersion) : AppendLine(path, BuildRecordLine(contact));
}

bool TContactLog::NeedsAdifHeader(const std::string& path) {
  // Looked at once per run: after that the file has its header.
  if (!m_adifChecked.insert(path).second) return false;
  std::string old;
  if (!platform::ReadFileText(path, old) || old.empty()) return false;
  // A file that starts with "<" is ADIF without a header; one with "<EOH>"
  // has its header. Anything else (an old record-line log) would hide every
  // record from an ADIF reader, which takes the text up to "<EOH>" for the
  // header: a header appended now turns the old lines into its free text.
  if (old[0] == '<' || ContainsText(old, "<EOH>")) return false;
  platform::ShowMessage("The local log file " + path +
                        " held no ADIF header: one was added after its old lines, so ADIF "
                        "programs read the contacts logged from now on");
  return true;
}

std::string TContactLog::FailureText(const std::string& path, int error) {
  return platform::WithSystemError(
      "Could not write the log file " + (path.empty() ? std::string("(no file name)") : path), error);
}

bool TContactLog::Done(const std::string& path, bool written, int error) {
  if (!written && m_reported.insert(path).second) platform::ShowMessage(FailureText(path, error));
  return written;
}
