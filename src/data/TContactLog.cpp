#include "data/TContactLog.h"

#include <sys/stat.h>

#include "data/AtomicFile.h"
#include "platform/MessageSink.h"

namespace {
bool IsNewOrEmpty(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) != 0 || info.st_size == 0;
}
}  // namespace

bool TContactLog::AppendLine(const std::string& path, const std::string& line) {
  return Done(path, AppendFileDurably(path, line + "\n"));
}

bool TContactLog::AppendAdif(const std::string& path, const TLogContact& contact,
                             const std::string& programVersion) {
  std::string text;
  if (IsNewOrEmpty(path)) text = BuildAdifHeader(programVersion, contact.utc);
  text += BuildAdifRecord(contact);
  return Done(path, AppendFileDurably(path, text));
}

std::string TContactLog::FailureText(const std::string& path) {
  return "Could not write the log file " + (path.empty() ? std::string("(no file name)") : path);
}

bool TContactLog::Done(const std::string& path, bool written) {
  if (!written && m_reported.insert(path).second) platform::ShowMessage(FailureText(path));
  return written;
}
