#include <gtest/gtest.h>

#include "TempProgramDir.h"
#include "data/TOperatorList.h"

TEST(Operator, ClubDecidesWhichNumberIsSet) {
  TOperator foc("W1AW", "HIRAM", "1234", "foc");
  EXPECT_EQ(foc.focNumber, 1234);
  EXPECT_EQ(foc.cwopNumber, 0);
  EXPECT_TRUE(foc.IsFocMember());
  EXPECT_FALSE(foc.IsCwopMember());

  TOperator other("K1ABC", "ANN", "55", "ARRL");
  EXPECT_EQ(other.focNumber, 0);
  EXPECT_EQ(other.cwopNumber, 0);

  foc.Update("HP", " 567", "CwOp");
  EXPECT_EQ(foc.name.str(), "HP");
  EXPECT_EQ(foc.focNumber, 1234);
  EXPECT_EQ(foc.cwopNumber, 567);
  foc.Update("HPM", "-3", "FOC");
  EXPECT_FALSE(foc.IsFocMember());

  EXPECT_TRUE(foc.HasCall("w1Aw"));
  EXPECT_FALSE(foc.HasCall("W1AW "));

  TOperator longer(std::string(40, 'C'), std::string(20, 'N'), "x", "FOC");
  EXPECT_EQ(longer.call.size(), 30u);
  EXPECT_EQ(longer.name.size(), 15u);
  EXPECT_EQ(longer.focNumber, 0);  // a number text that is not numeric
}

TEST(Operator, NameAndClubsNameOnlyShownMemberships) {
  TOperator op("W1AW", "HIRAM", "1234", "FOC");
  op.Update("HIRAM", "567", "CWOP");
  EXPECT_EQ(op.GetNameAndClubs(100, true, true), "HIRAM,FOC+CWOP");
  EXPECT_EQ(op.GetNameAndClubs(100, true, false), "HIRAM,FOC");
  EXPECT_EQ(op.GetNameAndClubs(100, false, true), "HIRAM,CWOP");
  EXPECT_EQ(op.GetNameAndClubs(100, false, false), "HIRAM,N/A");
  EXPECT_EQ(op.GetNameAndClubs(7, true, true), "HIRAM,F");
  TOperator none("K1ABC", "ANN", " ", " ");
  EXPECT_EQ(none.GetNameAndClubs(100, true, true), "ANN,N/A");
  // A name cut inside a character ends the text: no club fills the gap.
  TOperator accented("F5ABC", "ABC\xC3\xA9", " ", " ");
  EXPECT_EQ(accented.GetNameAndClubs(4, false, false), "ABC");
}

TEST(OperatorList, NamesFileLinesFollowTheirRules) {
  TempProgramDir dir;
  dir.Write("Documents/names.txt",
            "W1AW,Hiram,1234,FOC\r\n"
            "k1abc,Ann\n"
            "w1aw,Hiram Percy,567, cwop \n"  // the club is trimmed, the rest kept
            "N2XX,,123,FOC\n"                // three pieces: ignored
            "K3ZZ,Zed,77,ARRL\n"             // unknown club: no membership
            "K1ABC, Annie  \n"               // two fields: the name is trimmed
            "AA1A\n"                         // one piece: ignored
            ",,,\n"
            "\n"
            "G4BBB,Bob,  42,FOC,extra,pieces\n"  // only the first four count
            "VE3LONGNAMEX,ABCDEFGHIJKLMNOPQRS,1,CWOP\n");
  TOperatorList list;
  ASSERT_TRUE(list.LoadNamesFile(dir.Path("Documents/names.txt")));
  ASSERT_EQ(list.size(), 5u);
  const auto& ops = list.Operators();
  EXPECT_EQ(ops[0].call.str(), "W1AW");  // first appearance keeps its place and spelling
  EXPECT_EQ(ops[0].name.str(), "Hiram Percy");
  EXPECT_EQ(ops[0].focNumber, 1234);
  EXPECT_EQ(ops[0].cwopNumber, 567);
  EXPECT_EQ(ops[1].call.str(), "k1abc");
  EXPECT_EQ(ops[1].name.str(), "Annie");
  EXPECT_EQ(ops[2].call.str(), "K3ZZ");
  EXPECT_FALSE(ops[2].IsFocMember() || ops[2].IsCwopMember());
  EXPECT_EQ(ops[3].focNumber, 42);
  EXPECT_EQ(ops[4].name.str(), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(list.Find("N2XX"), nullptr);
  EXPECT_EQ(list.Find("AA1A"), nullptr);

  // The list is not emptied by a second read.
  dir.Write("Documents/more.txt", "N0NEW,New\nW1AW,Hiram,9,FOC\n");
  ASSERT_TRUE(list.LoadNamesFile(dir.Path("Documents/more.txt")));
  EXPECT_EQ(list.size(), 6u);
  EXPECT_EQ(list.Find("w1aw")->focNumber, 9);
  EXPECT_EQ(list.Find("w1aw")->cwopNumber, 567);
}

TEST(OperatorList, LookupAnswersNameAndClubs) {
  TOperatorList list;
  list.ApplyNamesLine("W1AW,HIRAM,1234,FOC");
  list.ApplyNamesLine("w1aw,HIRAM,567,CWOP");
  list.ApplyNamesLine("K1ABC,ABCDEFGHIJKLMNO,1,FOC");
  list.ApplyNamesLine("K1ABC,ABCDEFGHIJKLMNO,2,CWOP");
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.Lookup("W1aW", 23, true, true), "HIRAM,FOC+CWOP");
  EXPECT_EQ(list.Lookup("W1AW", 23, false, true), "HIRAM,CWOP");
  EXPECT_EQ(list.Lookup("W1AW", 23, false, false), "HIRAM,N/A");
  EXPECT_EQ(list.Lookup("N0CALL", 23, true, true), "N/A,N/A");
  EXPECT_EQ(list.Lookup("N0CALL", 3, true, true), "N/A");
  EXPECT_EQ(list.Lookup("", 23, true, true), "N/A,N/A");
  // 15 + 1 + 7: the grid's 23 characters keep "FOC+CWO".
  EXPECT_EQ(list.Lookup("K1ABC", 23, true, true), "ABCDEFGHIJKLMNO,FOC+CWO");
}

TEST(OperatorList, CallsAreUniqueAtTheirWidth) {
  TOperatorList list;
  const std::string call30(30, 'K');
  list.AddOrUpdate(call30, "ONE", "1", "FOC");
  list.AddOrUpdate(call30 + "XYZ", "TWO", "2", "CWOP");  // the same call once cut to 30
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.Find(call30)->name.str(), "TWO");
  EXPECT_EQ(list.Find(call30 + "XYZ"), nullptr);
}

TEST(OperatorList, MissingFileReadsNothing) {
  TempProgramDir dir;
  TOperatorList list;
  EXPECT_FALSE(list.LoadNamesFile(dir.Path("Documents/none.txt")));
  EXPECT_FALSE(list.LoadNamesFile(""));
  EXPECT_FALSE(list.LoadNamesFile(dir.Path("Documents")));  // a folder
  EXPECT_EQ(list.size(), 0u);
}
