// System error texts as our messages quote them: Russian, whatever the locale.
#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <string>

#include "platform/SafeFile.h"

TEST(SysErrorText, CommonFileErrorsReadInRussian) {
  const struct {
    int err;
    const char* text;
  } cases[] = {
      {ENOENT, "Нет такого файла или каталога"},
      {EACCES, "Отказано в доступе"},
      {ENOSPC, "На устройстве не осталось свободного места"},
      {EROFS, "Файловая система доступна только для чтения"},
      {EISDIR, "Это каталог"},
      {ENOTDIR, "Это не каталог"},
      {EINVAL, "Недопустимый аргумент"},
      {EIO, "Ошибка ввода-вывода"},
  };
  for (const auto& c : cases) EXPECT_EQ(plat::SysErrorText(c.err), c.text) << c.err;
  // The same in an English locale: the text does not follow it.
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(plat::SysErrorText(ENOENT), "Нет такого файла или каталога");
  std::setlocale(LC_ALL, saved.c_str());
  // An uncommon value is named by its number, never an empty text.
  EXPECT_EQ(plat::SysErrorText(4095), "Системная ошибка 4095");
}
