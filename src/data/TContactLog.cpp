#include "data/TContactLog.h"

#include <filesystem>

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
  if (IsNewOrEmpty(path)) text = BuildAdifHeader(programVersion, contact.utc);
  text += BuildAdifRecord(contact);
  int error = 0;
  const bool written = platform::AppendFileDurably(path, text, &error);
  return Done(path, written, error);
}

std::string TContactLog::FailureText(const std::string& path, int error) {
  return platform::WithSystemError(
      "Could not write the log file " + (path.empty() ? std::string("(no file name)") : path), error);
}

bool TContactLog::Done(const std::string& path, bool written, int error) {
  if (!written && m_reported.insert(path).second) platform::ShowMessage(FailureText(path, error));
  return written;
}
