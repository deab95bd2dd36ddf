#pragma once
// A main-thread queue of the tests' own: the test's thread plays the main
// thread and runs what was posted to it when it pumps. Installs itself as
// the main-thread poster (platform/HandOver.h) and removes itself again.

#include <deque>
#include <functional>
#include <mutex>

#include "Eventually.h"
#include "platform/HandOver.h"

class TestMainLoop {
 public:
  TestMainLoop() {
    platform::SetMainThreadPoster([this](std::function<void()> fn) {
      std::lock_guard lock(m_mutex);
      m_queue.push_back(std::move(fn));
    });
  }
  ~TestMainLoop() { platform::SetMainThreadPoster(nullptr); }
  TestMainLoop(const TestMainLoop&) = delete;
  TestMainLoop& operator=(const TestMainLoop&) = delete;

  /// Runs everything posted so far; answers how many ran.
  int Pump() {
    std::deque<std::function<void()>> ready;
    {
      std::lock_guard lock(m_mutex);
      ready.swap(m_queue);
    }
    for (auto& fn : ready) fn();
    return static_cast<int>(ready.size());
  }
  /// Waits until something was posted (false after the hang guard).
  bool WaitForPosted() {
    return Eventually([this] {
      std::lock_guard lock(m_mutex);
      return !m_queue.empty();
    });
  }

 private:
  std::mutex m_mutex;
  std::deque<std::function<void()>> m_queue;
};
