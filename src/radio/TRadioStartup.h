#pragma once
// What the devices file says about the supported radios, and the serial
// ports present. Answers the connect sequence's two questions: which library
// drives a radio, and the connection text to hand it.
//
// Devices file lines: RADIO=name,library,baud,extra1,extra2,extra3,extra4
// (key in any case, fields split at runs of commas, later fields ignored;
// every other line is skipped).

#include <string>
#include <vector>

class TRadioStartup {
 public:
  /// Adds the radio entries of the file to what is held (lists are never
  /// emptied). False after "Could not open the radios file" when it is missing.
  bool ReadDevicesFile(const std::string& path);
  /// Refills the port list from the serial port registry (port table file);
  /// answers how many ports were found before normalising.
  int ListPorts(const std::string& portsFile);
  /// The library file of the first entry (sorted order) containing the name
  /// (cut to 29) anywhere, ".dll" appended when missing; false when none.
  bool GetLibraryFileName(const std::string& radioName, std::string& fileName) const;
  /// Name, library, baud (field 3 for "DEFAULT"), extras 1-4, comma-joined and
  /// cut to length; false when no entry matches or it has fewer than 7 fields.
  bool GetConnectionText(const std::string& radioName, const std::string& baud,
                         std::string& text, std::size_t length) const;

  const std::vector<std::string>& RadioEntries() const { return m_radioEntries; }
  const std::vector<std::string>& RadioNames() const { return m_radioNames; }
  const std::vector<std::string>& Ports() const { return m_ports; }

 private:
  const std::string* FindEntry(const std::string& radioName) const;

  // Sorted without regard to case; an entry equal (case aside) to one held is not added.
  std::vector<std::string> m_radioEntries;
  std::vector<std::string> m_radioNames;
  std::vector<std::string> m_ports;
};

/// One startup for each side of the radio pair.
class TRadioPairStartup {
 public:
  /// Reads the file into the left startup, then the right; the right's result.
  bool ReadDevicesFile(const std::string& path);
  /// Lists the ports for both; the right's count.
  int ListPorts(const std::string& portsFile);
  /// Answered by the left startup alone.
  bool GetLibraryFileName(const std::string& radioName, std::string& fileName) const {
    return m_left.GetLibraryFileName(radioName, fileName);
  }
  bool GetConnectionText(const std::string& radioName, const std::string& baud, std::string& text,
                         std::size_t length) const {
    return m_left.GetConnectionText(radioName, baud, text, length);
  }
  const TRadioStartup& Left() const { return m_left; }
  const TRadioStartup& Right() const { return m_right; }

 private:
  TRadioStartup m_left;
  TRadioStartup m_right;
};
