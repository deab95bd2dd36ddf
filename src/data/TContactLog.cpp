#include "data/TContactLog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <utility>

#include "data/TextUtils.h"
#include "platform/Files.h"
#include "platform/SystemError.h"

namespace {
bool IsNewOrEmpty(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec || size == 0;
}

// The last bytes of a log (a record is far shorter), and the file's size.
std::string LastBytes(const std::string& path, std::uintmax_t& size) {
  std::error_code ec;
  size = std::filesystem::file_size(path, ec);
  if (ec || size == 0) return size = 0, std::string();
  const std::uintmax_t count = std::min<std::uintmax_t>(size, 4096);
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(size - count));
  std::string tail(count, '\0');
  in.read(tail.data(), static_cast<std::streamsize>(count));
  tail.resize(static_cast<std::size_t>(in.gcount()));
  return tail;
}

// A run killed while it appended a contact can leave part of it at the end
// of the log (a write that crosses a page of the file is not all or
// nothing). That part was never reported as logged: a record line's part is
// ended so the next line stands on its own; an ADIF record's part, which no
// ADIF program could read, is cut.
std::string MendTornEnd(const std::string& path, bool adif) {
  std::uintmax_t size = 0;
  const std::string tail = LastBytes(path, size);
  if (tail.empty()) return {};
  if (!adif) return tail.back() == '\n' ? std::string() : std::string("\n");
  std::string upper = tail;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  const auto eor = upper.rfind("<EOR>"), eoh = upper.rfind("<EOH>");
  const auto last = eor == std::string::npos ? eoh : eoh == std::string::npos ? eor : std::max(eor, eoh);
  if (last == std::string::npos) return {};
  const std::size_t end = last + 5;
  if (tail.find_first_not_of(" \t\r\n", end) == std::string::npos) return {};
  std::error_code ec;
  std::filesystem::resize_file(path, size - tail.size() + end, ec);
  return ec ? std::string() : std::string("\n");
}
}  // namespace

TLogAppend TContactLog::AppendLine(const std::string& path, const std::string& line) {
  int error = 0;
  const bool written = platform::AppendFileDurably(path, MendTornEnd(path, false) + line + "\n", &error);
  return Done(path, written, error);
}

TLogAppend TContactLog::AppendAdif(const std::string& path, const TLogContact& contact,
                                   const std::string& programVersion) {
  std::string text = MendTornEnd(path, true);
  std::string notice;
  if (IsNewOrEmpty(path) || NeedsAdifHeader(path, notice)) text = BuildAdifHeader(programVersion, contact.utc);
  text += BuildAdifRecord(contact);
  int error = 0;
  const bool written = platform::AppendFileDurably(path, text, &error);
  // Once a record is in, the file has its header for the rest of the run;
  // after a failed append the next one looks again.
  if (written) m_adifChecked.insert(path);
  return Done(path, written, error, std::move(notice));
}

TLogAppend TContactLog::AppendLocal(const std::string& path, bool adif, const TLogContact& contact,
                                    const std::string& programVersion) {
  return adif ? AppendAdif(path, contact, programVersion) : AppendLine(path, BuildRecordLine(contact));
}

bool TContactLog::NeedsAdifHeader(const std::string& path, std::string& notice) {
  // Looked at until a record is in: after that the file has its header.
  if (m_adifChecked.count(path)) return false;
  std::string old;
  if (!platform::ReadFileText(path, old) || old.empty()) return false;
  // A file that starts with "<" is ADIF without a header; one with "<EOH>"
  // has its header. Anything else (an old record-line log) would hide every
  // record from an ADIF reader, which takes the text up to "<EOH>" for the
  // header: a header appended now turns the old lines into its free text.
  if (old[0] == '<' || ContainsText(old, "<EOH>")) return false;
  notice = "The local log file " + path +
           " held no ADIF header: one was added after its old lines, so ADIF "
           "programs read the contacts logged from now on";
  return true;
}

std::string TContactLog::FailureText(const std::string& path, int error) {
  return platform::WithSystemError(
      "Could not write the log file " + (path.empty() ? std::string("(no file name)") : path), error);
}

TLogAppend TContactLog::Done(const std::string& path, bool written, int error, std::string notice) {
  TLogAppend result{.written = written, .message = std::move(notice), .failure = {}};
  if (written) return result;
  result.failure = FailureText(path, error);
  // The failure outweighs the header note: neither the header nor the
  // record reached the file.
  result.message = m_reported.insert(path).second ? result.failure : std::string();
  return result;
}
