#include "VaroRadio.h"

#include <algorithm>
#include <cctype>

namespace varosim {
namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The third comma-separated field of the connection text (name,library,baud,...).
std::string_view BaudField(std::string_view text) {
  for (int skip = 0; skip < 2; ++skip) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    text.remove_prefix(comma + 1);
  }
  return text.substr(0, text.find(','));
}

}  // namespace

VaroRadio::VaroRadio() : m_keyer(*this, m_events) {}

VaroRadio::~VaroRadio() { Disconnect(); }

void VaroRadio::Connect(char* portBuffer, RadioEvent radioChangeEvent, const char* connectionText) {
  {
    std::lock_guard lock(m_mutex);
    if (portBuffer) {
      std::size_t n = 0;
      while (n < 6 && portBuffer[n]) {
        portBuffer[n] = static_cast<char>(std::toupper(static_cast<unsigned char>(portBuffer[n])));
        ++n;
      }
      portBuffer[n] = '\0';
      m_state.port.assign(portBuffer, n);
    }
    m_state.connectionText = connectionText ? connectionText : "";
    std::string_view baud = BaudField(m_state.connectionText);
    if (AllDigits(baud)) m_state.baud = std::string(baud.substr(0, 10));
    m_state.poweredOn = true;
    m_connected = true;
  }
  m_events.Set(EventKind::RadioChange, radioChangeEvent);
  m_keyer.StartThread();
  Raise(EventKind::RadioChange);
}

void VaroRadio::Disconnect() {
  m_keyer.StopThread();
  std::lock_guard lock(m_mutex);
  m_connected = false;
  m_events.Forget();
}

bool VaroRadio::Connected() const {
  std::lock_guard lock(m_mutex);
  return m_connected;
}

void VaroRadio::SetLogRequestEvent(RadioEvent event) { m_events.Set(EventKind::LogRequest, event); }

void VaroRadio::SetMsgEvents(RadioEvent msgOverEvent, RadioEvent msgStartEvent) {
  m_events.Set(EventKind::MsgOver, msgOverEvent);
  m_events.Set(EventKind::MsgStart, msgStartEvent);
}

bool VaroRadio::Raise(EventKind kind) { return m_events.Raise(kind); }

void VaroRadio::Send(int slot) {
  {
    std::lock_guard lock(m_mutex);
    if (!m_connected || !m_state.poweredOn) return;
  }
  m_keyer.Send(slot);
}

void VaroRadio::Stop() { m_keyer.Cancel(); }

void VaroRadio::SetAutoRepeat(bool on) { m_keyer.SetAutoRepeat(on); }

void VaroRadio::SetAutoRepeatDelay(std::int32_t seconds) { m_keyer.SetAutoRepeatDelay(seconds); }

void VaroRadio::SetMessage(int slot, std::string text) { m_keyer.SetMessage(slot, std::move(text)); }

void VaroRadio::Reset() {
  m_keyer.Reset();
  {
    std::lock_guard lock(m_mutex);
    RadioState fresh;
    fresh.port = m_state.port;
    fresh.connectionText = m_state.connectionText;
    m_state = fresh;
  }
  Raise(EventKind::RadioChange);
}

int VaroRadio::KeyerSpeed() {
  std::lock_guard lock(m_mutex);
  return m_state.keyerSpeed;
}

}  // namespace varosim
