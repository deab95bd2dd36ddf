#pragma once
// The test side of the simulated Varo radio: loads a VaroSim*.dll (the same
// file a TRadioLib loads shares its state) and reaches its test exports.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../radios/sim/VaroSimControl.h"
#include "platform/Module.h"

/// The full path of a radio library built into the program's Devices folder.
inline std::string DevicesFile(const std::string& name) {
  return std::string(TALVEX_DEVICES_DIR) + "/" + name;
}

class VaroSimProbe {
 public:
  explicit VaroSimProbe(const std::string& path) {
    std::string error;
    m_module = platform::Module::Load(path, &error);
    EXPECT_TRUE(m_module.IsLoaded()) << error;
    m_control = reinterpret_cast<VaroSimFn_CONTROL>(m_module.Symbol("VAROSIM_CONTROL"));
    m_query = reinterpret_cast<VaroSimFn_QUERY>(m_module.Symbol("VAROSIM_QUERY"));
    m_trace = reinterpret_cast<VaroSimFn_TRACE>(m_module.Symbol("VAROSIM_TRACE"));
    m_clearTrace = reinterpret_cast<VaroSimFn_CLEARTRACE>(m_module.Symbol("VAROSIM_CLEARTRACE"));
    EXPECT_TRUE(m_control && m_query && m_trace && m_clearTrace) << path;
  }

  /// A control command; fails the test when the sim does not understand it.
  void Control(const std::string& command, int radio = 1) {
    EXPECT_EQ(m_control(command.c_str(), radio), 1) << command;
  }
  /// The raw answer of a control command (1 done, 0 refused).
  int TryControl(const std::string& command, int radio = 1) { return m_control(command.c_str(), radio); }
  int Query(const std::string& what, int radio = 1) { return m_query(what.c_str(), radio); }

  /// Every call since the last clear, as one text (a line each).
  std::string TraceText() {
    std::string text(static_cast<std::size_t>(m_trace(nullptr, 0)) + 1, '\0');
    m_trace(text.data(), static_cast<std::int32_t>(text.size() - 1));
    text.resize(text.size() - 1);
    return text;
  }
  /// Every call since the last clear, one line each.
  std::vector<std::string> Trace() {
    const std::string text = TraceText();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }
  /// The trace lines of one export.
  std::vector<std::string> Calls(const std::string& name) {
    std::vector<std::string> calls;
    for (const std::string& line : Trace()) {
      if (line.compare(0, name.size() + 1, name + "(") == 0) calls.push_back(line);
    }
    return calls;
  }
  void ClearTrace() { m_clearTrace(); }

 private:
  platform::Module m_module;
  VaroSimFn_CONTROL m_control = nullptr;
  VaroSimFn_QUERY m_query = nullptr;
  VaroSimFn_TRACE m_trace = nullptr;
  VaroSimFn_CLEARTRACE m_clearTrace = nullptr;
};
