#pragma once
// Waiting in tests for what another thread does. The guard only keeps a
// broken library from hanging the test run; it is no measure of speed.

#include <chrono>
#include <functional>
#include <thread>

#include "platform/Event.h"

constexpr int kHangGuardMs = 30000;

inline bool Wakes(platform::EventHandle event) {
  return platform::WaitForEvent(event, kHangGuardMs) == platform::WaitResult::Signalled;
}

inline bool IsSet(platform::EventHandle event) {
  return platform::WaitForEvent(event, 0) == platform::WaitResult::Signalled;
}

inline void Drain(platform::EventHandle event) {
  while (IsSet(event)) {
  }
}

inline bool Eventually(const std::function<bool()>& condition) {
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kHangGuardMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}
