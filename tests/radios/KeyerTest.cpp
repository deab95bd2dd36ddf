// The kit's keyer on a timer that lets no real time pass: what it waits for
// is the Morse time and the Auto CQ pause it computed, not what a clock saw.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Keyer.h"
#include "platform/Event.h"

namespace {

using std::chrono::milliseconds;

constexpr int kHangGuardMs = 30000;

struct RecordingRadio : radiokit::KeyerRadio {
  int wpm = 20;
  std::vector<std::string> started;  // "slot:text"
  std::uint64_t lastMessage = 0;
  int KeyerSpeed() override { return wpm; }
  void MessageStarted(int slot, const std::string& text, std::uint64_t message) override {
    started.push_back(std::to_string(slot) + ":" + text);
    lastMessage = message;
  }
};

// Records each wait and which events were set when it began; returns at
// once as if the time had passed. onWait (n = 1, 2 ...) runs unlocked.
struct InstantTimer : radiokit::KeyerTimer {
  std::vector<milliseconds> waits;
  std::vector<std::string> eventsAtWait;
  std::function<void(int)> onWait;
  platform::EventHandle start = 0, over = 0;

  bool Wait(std::unique_lock<std::mutex>& lock, std::condition_variable&, std::chrono::microseconds duration,
            const std::function<bool()>& stop) override {
    waits.push_back(std::chrono::duration_cast<milliseconds>(duration));
    std::string seen;
    if (platform::WaitForEvent(start, 0) == platform::WaitResult::Signalled) seen += "start";
    if (platform::WaitForEvent(over, 0) == platform::WaitResult::Signalled) seen += "over";
    eventsAtWait.push_back(seen);
    lock.unlock();
    if (onWait) onWait(static_cast<int>(waits.size()));
    lock.lock();
    return stop();
  }
};

struct KeyerRig {
  KeyerRig() {
    timer.start = start;
    timer.over = over;
    events.Set(radiokit::RadioEventKind::MsgStart, start);
    events.Set(radiokit::RadioEventKind::MsgOver, over);
    // New events start set.
    for (auto event : {start, over}) platform::WaitForEvent(event, 0);
    keyer.StartThread();
  }
  ~KeyerRig() {
    keyer.StopThread();
    platform::CloseEvent(start);
    platform::CloseEvent(over);
  }
  /// Sends the slot and waits until the keyer is idle again.
  bool SendAndSettle(int slot) {
    keyer.Send(slot);
    auto giveUp = std::chrono::steady_clock::now() + milliseconds(kHangGuardMs);
    while (keyer.Busy()) {
      if (std::chrono::steady_clock::now() > giveUp) return false;
      std::this_thread::sleep_for(milliseconds(1));
    }
    return true;
  }

  platform::EventHandle start = platform::NewEvent();
  platform::EventHandle over = platform::NewEvent();
  RecordingRadio radio;
  InstantTimer timer;
  radiokit::RadioEvents events;
  radiokit::Keyer keyer{radio, events, &timer};
};

}  // namespace

TEST(Keyer, TimesEachMessageByParisAtTheRadiosSpeed) {
  struct Case {
    const char* text;
    int wpm;
    int ms;
  } cases[] = {
      {"PARIS ", 20, 3000}, {"PARIS ", 5, 12000}, {"paris paris ", 25, 4800}, {"E", 60, 20},
      {"CQ", 30, 27 * 40},  {"", 25, 0},          {"E", 0, 1200},            {"E#?", 12, 19 * 100},
  };
  for (const Case& c : cases) {
    KeyerRig rig;
    rig.radio.wpm = c.wpm;
    rig.keyer.SetMessage(3, c.text);
    ASSERT_TRUE(rig.SendAndSettle(3)) << c.text;
    ASSERT_EQ(rig.timer.waits.size(), 1u) << c.text;
    EXPECT_EQ(rig.timer.waits[0], milliseconds(c.ms)) << '"' << c.text << "\" at " << c.wpm;
    // The start event is set before the message's time runs, the over event after it.
    EXPECT_EQ(rig.timer.eventsAtWait[0], "start") << c.text;
    EXPECT_EQ(platform::WaitForEvent(rig.over, 0), platform::WaitResult::Signalled) << c.text;
    EXPECT_EQ(rig.radio.started, std::vector<std::string>{"3:" + std::string(c.text)});
    EXPECT_EQ(rig.keyer.Starts(), 1);
    EXPECT_EQ(rig.keyer.SendingSlot(), -1);
  }
}

TEST(Keyer, AutoCqRepeatsOnlySlotZeroAfterThePauseUntilSwitchedOff) {
  struct Case {
    int delaySeconds;
    milliseconds pause;
  } cases[] = {{0, milliseconds(100)}, {1, milliseconds(1000)}, {7, milliseconds(7000)},
               {5000, milliseconds(3600 * 1000)}, {-3, milliseconds(100)}};
  for (const Case& c : cases) {
    KeyerRig rig;
    rig.radio.wpm = 60;
    rig.keyer.SetMessage(0, "E");
    rig.keyer.SetMessage(1, "E");
    rig.keyer.SetAutoRepeatDelay(c.delaySeconds);
    rig.keyer.SetAutoRepeat(true);
    // Message, pause, message, pause: switched off during the second pause.
    rig.timer.onWait = [&](int n) {
      if (n == 4) rig.keyer.SetAutoRepeat(false);
    };
    ASSERT_TRUE(rig.SendAndSettle(0));
    const std::vector<milliseconds> expected{milliseconds(20), c.pause, milliseconds(20), c.pause};
    EXPECT_EQ(rig.timer.waits, expected) << "delay " << c.delaySeconds;
    EXPECT_EQ(rig.timer.eventsAtWait, (std::vector<std::string>{"start", "over", "start", "over"}));
    EXPECT_EQ(rig.keyer.Starts(), 2);
    EXPECT_TRUE(rig.keyer.Message(0) == "E" && !rig.keyer.AutoRepeat());

    rig.keyer.SetAutoRepeat(true);
    ASSERT_TRUE(rig.SendAndSettle(1));
    EXPECT_EQ(rig.timer.waits.size(), 5u) << "another slot is sent once";
  }
}

TEST(Keyer, EndsAMessageOnlyForTheRadioThatRefusedItAndOnlyWhileRunning) {
  KeyerRig rig;
  rig.keyer.SetMessage(2, "TEST");
  // The radio refuses an earlier message, then this one.
  rig.timer.onWait = [&](int) {
    rig.keyer.EndMessage(rig.radio.lastMessage + 1);
    EXPECT_EQ(rig.keyer.SendingSlot(), 2);
    rig.keyer.EndMessage(rig.radio.lastMessage);
  };
  ASSERT_TRUE(rig.SendAndSettle(2));
  EXPECT_EQ(rig.keyer.LastKeyingMs(), -1) << "an ended message is not a keyed one";
  EXPECT_EQ(platform::WaitForEvent(rig.over, 0), platform::WaitResult::Signalled);

  rig.keyer.StopThread();
  EXPECT_FALSE(rig.keyer.Send(0));
  EXPECT_FALSE(rig.keyer.Busy()) << "nothing is asked of a stopped keyer";
  rig.keyer.StartThread();
  EXPECT_FALSE(rig.keyer.Send(6));
  EXPECT_FALSE(rig.keyer.Busy()) << "slots are 0..5";
}
