#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Eventually.h"
#include "platform/Event.h"

using namespace platform;

TEST(Event, CreatedSignalledAndAutoReset) {
  EventHandle e = NewEvent();
  EXPECT_NE(e, kNoEvent);
  EXPECT_EQ(WaitForEvent(e, 0), WaitResult::Signalled);
  EXPECT_EQ(WaitForEvent(e, 0), WaitResult::TimedOut);
  CloseEvent(e);
}

TEST(Event, ManySetsBeforeAWaitGiveOneWake) {
  EventHandle e = NewEvent();
  WaitForEvent(e, 0);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(SetEvent(e));
  EXPECT_EQ(WaitForEvent(e, 0), WaitResult::Signalled);  // a set before the wait is not lost
  EXPECT_EQ(WaitForEvent(e, 0), WaitResult::TimedOut);
  EXPECT_EQ(RadioSetEvent(e), 1);
  EXPECT_EQ(WaitForEvent(e, 0), WaitResult::Signalled);
  CloseEvent(e);
}

TEST(Event, HandlesAreNeverReusedAndStaleHandlesAreHarmless) {
  EventHandle a = NewEvent();
  CloseEvent(a);
  EventHandle b = NewEvent();
  EXPECT_NE(a, b);
  EXPECT_FALSE(SetEvent(a));
  EXPECT_EQ(RadioSetEvent(a), 0);
  EXPECT_EQ(WaitForEvent(a, 10), WaitResult::Closed);
  CloseEvent(a);  // twice: nothing happens
  EXPECT_FALSE(SetEvent(kNoEvent));
  CloseEvent(b);
}

TEST(Event, SetFromAnotherThreadWakesAWaiterAndCloseReleasesIt) {
  EventHandle e = NewEvent();
  WaitForEvent(e, 0);
  std::atomic<int> wakes{0};
  std::thread waiter([&] {
    while (WaitForEvent(e) == WaitResult::Signalled) ++wakes;
  });
  SetEvent(e);
  EXPECT_TRUE(Eventually([&] { return wakes.load() > 0; }));
  CloseEvent(e);  // a waiting thread is released, not left hanging
  waiter.join();
  EXPECT_GE(wakes.load(), 1);
}

TEST(Event, TheOwnerClosesItsEventAndMovesIt) {
  EventHandle kept = kNoEvent;
  std::atomic<bool> released{false};
  std::thread waiter;
  {
    Event event;
    kept = event.Handle();
    EXPECT_EQ(event.Wait(0), WaitResult::Signalled);
    Event moved(std::move(event));
    EXPECT_EQ(event.Handle(), kNoEvent);
    EXPECT_EQ(moved.Handle(), kept);
    EXPECT_TRUE(moved.Set());
    EXPECT_EQ(WaitForEvent(kept, 0), WaitResult::Signalled);
    waiter = std::thread([&] {
      // Woken by the set below or by the close; then nothing is left to wait on.
      while (WaitForEvent(kept) == WaitResult::Signalled) {}
      released = true;
    });
    moved.Set();
  }  // the destructor closes the event and releases the waiter
  waiter.join();
  EXPECT_TRUE(released);
  EXPECT_FALSE(SetEvent(kept));  // the handle a library kept names nothing now
  EXPECT_EQ(WaitForEvent(kept, 0), WaitResult::Closed);
}
