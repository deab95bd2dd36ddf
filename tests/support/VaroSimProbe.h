#pragma once
// Reaches the test exports of a loaded VaroSim library: the control call,
// state queries and the call trace. The probe opens the same file as the
// program did, so it shares the library's state; it keeps the library
// loaded while it lives.

#include <dlfcn.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "VaroSimControl.h"

class VaroSimProbe {
 public:
  explicit VaroSimProbe(const std::string& path) {
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) throw std::runtime_error("cannot load " + path);
    m_control = reinterpret_cast<VaroSimFn_CONTROL>(dlsym(m_handle, "VAROSIM_CONTROL"));
    m_query = reinterpret_cast<VaroSimFn_QUERY>(dlsym(m_handle, "VAROSIM_QUERY"));
    m_trace = reinterpret_cast<VaroSimFn_TRACE>(dlsym(m_handle, "VAROSIM_TRACE"));
    m_clear = reinterpret_cast<VaroSimFn_CLEARTRACE>(dlsym(m_handle, "VAROSIM_CLEARTRACE"));
    if (!m_control || !m_query || !m_trace || !m_clear) throw std::runtime_error("not a VaroSim library: " + path);
  }
  ~VaroSimProbe() { dlclose(m_handle); }
  VaroSimProbe(const VaroSimProbe&) = delete;
  VaroSimProbe& operator=(const VaroSimProbe&) = delete;

  bool Control(const std::string& command, int radio = 1) { return m_control(command.c_str(), radio) == 1; }
  int Query(const std::string& what, int radio = 1) { return m_query(what.c_str(), radio); }
  std::string Trace() {
    int length = m_trace(nullptr, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    m_trace(text.data(), length);
    text.resize(static_cast<std::size_t>(length));
    return text;
  }
  /// The trace lines of one export, in order.
  std::vector<std::string> Calls(const std::string& exportName) {
    std::vector<std::string> calls;
    const std::string text = Trace();
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (line.rfind(exportName + "(", 0) == 0) calls.push_back(line);
      start = end + 1;
    }
    return calls;
  }
  void ClearTrace() { m_clear(); }

 private:
  void* m_handle = nullptr;
  VaroSimFn_CONTROL m_control = nullptr;
  VaroSimFn_QUERY m_query = nullptr;
  VaroSimFn_TRACE m_trace = nullptr;
  VaroSimFn_CLEARTRACE m_clear = nullptr;
};
