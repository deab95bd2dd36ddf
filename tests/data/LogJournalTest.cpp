// The default log as the journal the other targets are fed from: positions
// that survive a restart, order, a target that refuses, dropping, and a log
// that was edited or started afresh under the positions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempProgramDir.h"
#include "data/TLogJournal.h"
#include "platform/Files.h"

namespace {

struct Journal {
  TempProgramDir dir;
  std::string log = dir.Path("Logs/Dravel_DEFAULTLOG.txt");
  std::string state = dir.Path("Logs/Talvex_DELIVERY.txt");

  void Append(const std::string& lines) const { ASSERT_TRUE(platform::AppendFileDurably(log, lines)); }
  /// A program (re)started on the files as they are.
  TLogJournal Open() const { return TLogJournal(log, state); }
};

// Takes every line, recording it; refuses once `limit` lines were taken.
struct Receiver {
  std::vector<std::string> got;
  std::size_t limit = 1000;
  std::function<bool(const std::string&)> Deliver() {
    return [this](const std::string& line) { return got.size() < limit && (got.push_back(line), true); };
  }
};

}  // namespace

TEST(LogJournal, ANewTargetStartsAtTheEndAndThenTakesEachLineOnceInOrderAcrossRestarts) {
  Journal j;
  j.Append("OLD1\nOLD2\n");
  Receiver serial, net;
  {
    TLogJournal journal = j.Open();
    journal.Track("SERIAL");
    EXPECT_EQ(journal.Waiting("SERIAL"), 0u);  // old contacts are never replayed
    j.Append("A\nB\n");
    EXPECT_EQ(journal.Waiting("SERIAL"), 2u);
    serial.limit = 1;  // the port takes one line, then goes away
    EXPECT_EQ(journal.Feed("SERIAL", serial.Deliver()), 1u);
    EXPECT_EQ(journal.Waiting("SERIAL"), 1u);
  }
  EXPECT_TRUE(ReadWholeFile(j.state).ends_with(TLogJournal::kMarker));
  j.Append("C\n");
  j.Append("D");  // a line still being written is not taken
  {
    TLogJournal journal = j.Open();  // restarted: the position was kept
    journal.Track("WSJTX");          // a target added now starts at the end
    serial.limit = 1000;
    EXPECT_EQ(journal.Feed("SERIAL", serial.Deliver()), 2u);
    EXPECT_EQ(serial.got, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(journal.Feed("WSJTX", net.Deliver()), 0u);
    j.Append("\n\nE\r\n");  // D ends; a blank line is taken without sending
    EXPECT_EQ(journal.Waiting("SERIAL"), 2u);
    EXPECT_EQ(journal.Feed("SERIAL", serial.Deliver()), 2u);
    EXPECT_EQ(journal.Feed("WSJTX", net.Deliver()), 2u);
    EXPECT_EQ(net.got, (std::vector<std::string>{"D", "E"}));
    // Dropped lines are never sent, now or after a restart.
    j.Append("F\nG\n");
    journal.Discard("SERIAL");
    EXPECT_EQ(journal.Waiting("SERIAL"), 0u);
  }
  j.Append("H\n");
  TLogJournal journal = j.Open();
  EXPECT_EQ(journal.Feed("SERIAL", serial.Deliver()), 1u);
  EXPECT_EQ(serial.got, (std::vector<std::string>{"A", "B", "C", "D", "E", "H"}));
  EXPECT_TRUE(journal.StateWritten());
}

TEST(LogJournal, ALogChangedUnderThePositionsGoesOnAfterTheLastLineTakenOrFromTheStart) {
  struct Case {
    const char* name;
    const char* before;  // the log when the target last took a line (its last is "B")
    const char* after;   // the log as the next start finds it
    std::vector<std::string> sent;
  };
  const Case cases[] = {
      {"grown", "A\nB\n", "A\nB\nC\n", {"C"}},
      {"an earlier line removed", "A\nB\n", "B\nC\n", {"C"}},
      {"lines put before it", "A\nB\n", "X\nY\nZ\nA\nB\nC\n", {"C"}},
      {"started afresh", "A\nB\n", "N1\nN2\n", {"N1", "N2"}},
      {"removed", "A\nB\n", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Journal j;
    j.Append("A\n");
    {
      TLogJournal journal = j.Open();
      journal.Track("SERIAL");
      j.Append(std::string(c.before).substr(2));
      Receiver first;
      journal.Feed("SERIAL", first.Deliver());
      ASSERT_EQ(first.got, std::vector<std::string>{"B"});
    }
    ASSERT_TRUE(platform::WriteFileAtomically(j.log, c.after));
    TLogJournal journal = j.Open();
    Receiver next;
    journal.Feed("SERIAL", next.Deliver());
    EXPECT_EQ(next.got, c.sent);
  }
}
