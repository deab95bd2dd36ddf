// The text crossing between the core and Qt (platform/QtText.h).

#include <gtest/gtest.h>

#include "platform/QtText.h"

TEST(QtText, UTF8InUTF8OutAndLatin1NamesStillReadable) {
  EXPECT_EQ(platform::ToQString("W1AW Hiram"), QStringLiteral("W1AW Hiram"));
  EXPECT_EQ(platform::ToQString(""), QString());

  // A UTF-8 names file: the accented name is one character in the grid.
  const QString jose = platform::ToQString("Jos\xC3\xA9 M\xC3\xBCller");
  EXPECT_EQ(jose, QString::fromUtf8(u8"Jos\u00e9 M\u00fcller"));
  EXPECT_EQ(jose.size(), 11);
  // And back to the core, byte for byte.
  EXPECT_EQ(platform::FromQString(jose), "Jos\xC3\xA9 M\xC3\xBCller");

  // A Latin-1 names file: not UTF-8, read one character per byte.
  const QString latin = platform::ToQString("Jos\xE9");
  EXPECT_EQ(latin, QString::fromUtf8(u8"Jos\u00e9"));
  EXPECT_EQ(platform::FromQString(latin), "Jos\xC3\xA9");

  // A text cut in the middle of a character is not valid UTF-8 either.
  EXPECT_EQ(platform::ToQString("Jos\xC3").size(), 4);
  EXPECT_EQ(platform::FromQString(QString()), "");
}
