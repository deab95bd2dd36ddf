#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TempProgramDir.h"
#include "data/TextFile.h"

TEST(TextFile, LinesEndAtLfCrLfOrCr) {
  EXPECT_EQ(SplitTextLines("A\nB\r\nC\rD"), (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(SplitTextLines("A\n"), std::vector<std::string>{"A"});
  EXPECT_EQ(SplitTextLines("A\n\n"), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(SplitTextLines("A\r\r\n"), (std::vector<std::string>{"A", ""}));
  EXPECT_TRUE(SplitTextLines("").empty());
}

TEST(TextFile, ReadingInPiecesGivesTheSameLines) {
  // Line ends placed across the reader's 1 MiB pieces, and a line longer
  // than a piece.
  const std::size_t piece = std::size_t(1) << 20;
  std::string text = std::string(piece - 1, 'a') + "\r\nB\r" + std::string(piece - 4, 'c') +
                     "\rD\n" + std::string(3 * piece, 'e') + "\n\nF\r";
  TempProgramDir dir;
  dir.Write("big.txt", text);
  std::vector<std::string> lines;
  ASSERT_TRUE(ForEachFileLine(dir.Path("big.txt"), [&](std::string_view line) { lines.emplace_back(line); }));
  const auto expected = SplitTextLines(text);
  ASSERT_EQ(lines.size(), expected.size());
  EXPECT_TRUE(lines == expected);

  std::vector<std::string> loaded;
  ASSERT_TRUE(LoadTextLines(dir.Path("big.txt"), loaded));
  EXPECT_TRUE(loaded == expected);
  EXPECT_FALSE(ForEachFileLine(dir.Path("none.txt"), [](std::string_view) {}));
  EXPECT_FALSE(LoadTextLines(dir.Path("none.txt"), loaded));
}

// Every line reader refuses a FIFO nobody writes to, or a folder, at once.
TEST(TextFile, FifosAndFoldersAreNotReadAsLines) {
  TempProgramDir dir;
  ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0644), 0);
  for (const char* name : {"fifo", "Logs"}) {
    std::vector<std::string> lines{"old"};
    EXPECT_FALSE(LoadTextLines(dir.Path(name), lines)) << name;
    EXPECT_TRUE(lines.empty()) << name;
    EXPECT_FALSE(ForEachFileLine(dir.Path(name), [](std::string_view) {})) << name;
  }
}
