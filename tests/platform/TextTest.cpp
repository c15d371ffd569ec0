#include <gtest/gtest.h>

#include "platform/qt/Text.h"

TEST(Text, Cp1251RoundTripsEveryCharacterOfTheCodePage) {
  EXPECT_EQ(plat::FromCp1251("\xCF\xF0\xE8\xE2\xE5\xF2 x^2"), QString::fromUtf8("Привет x^2"));
  EXPECT_EQ(plat::ToCp1251(QString::fromUtf8("Функций: ё№")), "\xD4\xF3\xED\xEA\xF6\xE8\xE9: \xB8\xB9");
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98) continue;  // the one byte with no character
    const std::string s(1, static_cast<char>(b));
    EXPECT_EQ(plat::ToCp1251(plat::FromCp1251(s)), s) << b;
  }
  EXPECT_EQ(plat::FromCp1251("\x98"), QString(QChar(0xFFFD)));
  EXPECT_EQ(plat::ToCp1251(QString::fromUtf8("日")), "?");
}

TEST(Text, Utf8Helpers) {
  EXPECT_EQ(plat::ToUtf8(plat::FromUtf8("Отмена")), "Отмена");
  EXPECT_EQ(plat::FromUtf8("Да").size(), 2);
}
