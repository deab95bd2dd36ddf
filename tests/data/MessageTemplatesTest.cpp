#include <gtest/gtest.h>

#include "TempProgramDir.h"
#include "data/TMessageTemplates.h"

TEST(MessageTemplates, FirstSixMessageLinesWithAValueFillTheSlots) {
  TempProgramDir dir;
  dir.Write("Dravel_MSGTEMPLATE.txt",
            "; a comment\r\n"
            "MSG=CQ,CQ TEST @\r\n"
            "MSG=\r\n"                      // nothing after the sign: no slot
            "msg=LOWER,not a message line\n"  // not "MSG=" exactly
            " MSG=INDENT,not either\n"
            "MSG=MSG1,$ $\n"
            "MSG=MSG2,A,B,C\n"
            "AUTOCQ_DELAY=\n"
            "MSG=MSG3=x,y\n"                 // the value ends at the next "="
            "AUTOCQ_DELAY=7=8\n"
            "MSG=MSG4,TU\n"
            "MSG=73,73 @\n"
            "MSG=EXTRA,seventh\n"
            "autocq_delay=99\n");
  TMessageTemplates t;
  ASSERT_TRUE(t.Load(dir.Path("Dravel_MSGTEMPLATE.txt")));
  EXPECT_EQ(t.values, (std::vector<std::string>{"CQ,CQ TEST @", "MSG1,$ $", "MSG2,A,B,C", "MSG3",
                                                "MSG4,TU", "73,73 @"}));
  ASSERT_TRUE(t.autoCqDelay.has_value());
  EXPECT_EQ(*t.autoCqDelay, 7);
}

TEST(MessageTemplates, MissingFileReadsNothing) {
  TempProgramDir dir;
  TMessageTemplates t;
  EXPECT_FALSE(t.Load(dir.Path("Dravel_MSGTEMPLATE.txt")));
  EXPECT_TRUE(t.values.empty());
  EXPECT_FALSE(t.autoCqDelay.has_value());
}

TEST(MessageTemplates, TemplateValueIsCutAt104AndTextAt100) {
  TempProgramDir dir;
  dir.Write("t.txt", "MSG=" + std::string(200, 'x') + "\n");
  TMessageTemplates t;
  ASSERT_TRUE(t.Load(dir.Path("t.txt")));
  EXPECT_EQ(t.values.at(0).size(), 104u);
  EXPECT_EQ(MessageTextOfTemplate("L," + std::string(150, 'y'))->size(), 100u);
  // A two-byte character across the cut is left out whole; Latin-1 is cut as bytes.
  EXPECT_EQ(MessageTextOfTemplate("L," + std::string(99, 'y') + "\xc3\x9c"), std::string(99, 'y'));
  EXPECT_EQ(MessageTextOfTemplate("L," + std::string(99, 'y') + "\xb0\xb0"), std::string(99, 'y') + "\xb0");
  EXPECT_EQ(ExpandMessage(std::string(98, 'y') + " @", "\xe2\x82\xac", "599", "JO"), std::string(98, 'y') + " ");
}

TEST(MessageTemplates, MessageTextIsTheSecondCommaPiece) {
  EXPECT_EQ(MessageTextOfTemplate("CQ,CQ TEST"), "CQ TEST");
  EXPECT_EQ(MessageTextOfTemplate("A,B,C"), "B");
  EXPECT_EQ(MessageTextOfTemplate(",,LABEL,,TEXT,"), "TEXT");
  EXPECT_FALSE(MessageTextOfTemplate("LABEL").has_value());
  EXPECT_FALSE(MessageTextOfTemplate("LABEL,").has_value());
  EXPECT_FALSE(MessageTextOfTemplate("").has_value());
}

TEST(MessageTemplates, ExpansionReplacesCallThenReportThenName) {
  struct Case {
    const char* text;
    const char* expanded;
  } cases[] = {
      {"@ 5NN @", "C 5NN C"},
      {"@@ TU", "C TU"},
      {"@", "C"},
      {"@@", "C"},
      {"CQ TEST", "CQ TEST"},
      {"", ""},
      {"TU ! $ @", "TU JOE 579 C"},
      {"!!$$", "JOE579"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExpandMessage(c.text, "C", "579", "JOE"), c.expanded) << c.text;

  // A value cannot bring its own placeholder back, but may bring a later one.
  EXPECT_EQ(ExpandMessage("@", "A@B$", "5", "N"), "A B5");
  // The result holds at most 100 characters.
  EXPECT_EQ(ExpandMessage(std::string(99, 'x') + "@", "W1AW", "", "").size(), 100u);
  EXPECT_EQ(ExpandPlaceholder(std::string(120, 'x'), '@', "V").size(), 100u);
}

TEST(MessageTemplates, EditorRowsAndTheFileItWrites) {
  const std::vector<std::string> lines = {"MSG=CQ,CQ TEST @", "MSG=", "MSG=ONLY", "MSG=A=B,C,D",
                                          " MSG=X,Y", "AUTOCQ_DELAY=4", "MSG=73,TU 73"};
  const std::vector<TTemplateRow> rows = ReadTemplateRows(lines);
  EXPECT_EQ(rows, (std::vector<TTemplateRow>{{"CQ", "CQ TEST @"}, {"A", "B"}, {"73", "TU 73"}}));
  EXPECT_EQ(FormatTemplateFile(rows, "12"), "MSG=CQ,CQ TEST @\nMSG=A,B\nMSG=73,TU 73\nAUTOCQ_DELAY=12\n");
  EXPECT_EQ(FormatTemplateFile({{"CQ", "x"}}, std::nullopt), "MSG=CQ,x\n");
  // What the file cannot keep, and what it can.
  const std::pair<const char*, std::optional<char>> cases[] = {
      {"TU 73 @ $ !", std::nullopt}, {"A=B", '='}, {"A,B", ','}, {"A\nB", '\n'}, {"A\r", '\r'}, {"", std::nullopt}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(CharacterTemplatesCannotKeep(text), expected) << text;
}
