#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

#include "Eventually.h"
#include "platform/EndSignals.h"
#include "platform/HandOver.h"

TEST(EndSignals, TheFirstRequestIsOneCallOnTheMainLoopAndTheSecondEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::mutex mutex;
  std::function<void()> posted;  // the test's thread is the main loop
  platform::SetMainThreadPoster([&](std::function<void()> fn) {
    std::lock_guard lock(mutex);
    posted = std::move(fn);
  });
  auto runPosted = [&] {
    ASSERT_TRUE(Eventually([&] { std::lock_guard lock(mutex); return posted != nullptr; }));
    std::exchange(posted, nullptr)();
  };
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    int ends = 0;
    platform::EndSignalWatch watch([&] { ++ends; });
    ASSERT_TRUE(watch.Watching());
    ASSERT_EQ(raise(signal), 0);
    runPosted();
    EXPECT_EQ(ends, 1) << signal;
    EXPECT_EXIT(raise(SIGTERM), testing::ExitedWithCode(128 + SIGTERM), "") << signal;
  }
  // A call queued when its watch went does nothing; the signals act as before.
  int ends = 0;
  std::optional<platform::EndSignalWatch> watch(std::in_place, [&] { ++ends; });
  ASSERT_EQ(raise(SIGHUP), 0);
  watch.reset();
  runPosted();
  EXPECT_EQ(ends, 0);
  EXPECT_EXIT(raise(SIGTERM), testing::KilledBySignal(SIGTERM), "");
  platform::SetMainThreadPoster(nullptr);
}
