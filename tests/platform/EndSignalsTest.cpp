// A request to end from outside reaches the main loop as one call, never
// runs anything on the signalled thread, and a second request ends the
// process at once.

#include <gtest/gtest.h>

#include <csignal>

#include "TestMainLoop.h"
#include "platform/EndSignals.h"

TEST(EndSignals, TheFirstRequestIsOneCallOnTheMainLoopAndTheSecondEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TestMainLoop loop;
  int ends = 0;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    platform::EndSignalWatch watch([&] { ++ends; });
    ASSERT_TRUE(watch.Watching());
    const int before = ends;
    ASSERT_EQ(raise(signal), 0);
    ASSERT_TRUE(loop.WaitForPosted()) << signal;
    EXPECT_EQ(ends, before);  // nothing ran outside the main loop
    EXPECT_EQ(loop.Pump(), 1);
    EXPECT_EQ(ends, before + 1);
    EXPECT_EXIT(raise(SIGTERM), testing::ExitedWithCode(128 + SIGTERM), "") << signal;
  }

  // A call still queued when its watch is gone does nothing, and the
  // signals act as they did before the watch.
  {
    platform::EndSignalWatch watch([&] { ++ends; });
    ASSERT_EQ(raise(SIGHUP), 0);
    ASSERT_TRUE(loop.WaitForPosted());
  }
  EXPECT_EQ(loop.Pump(), 1);
  EXPECT_EQ(ends, 3);
  EXPECT_EXIT(raise(SIGTERM), testing::KilledBySignal(SIGTERM), "");
}
