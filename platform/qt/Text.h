#pragma once
// Windows-1251 byte strings (formula texts, file contents) to and from the
// QStrings the controls show. Everything goes through platform/Cp1251.h.
#include <QString>
#include <string>

namespace plat {

QString FromCp1251(const std::string& bytes);
std::string ToCp1251(const QString& text);

// UTF-8 texts of the program (captions, messages) to and from QString.
QString FromUtf8(const std::string& utf8);
std::string ToUtf8(const QString& text);

}  // namespace plat
