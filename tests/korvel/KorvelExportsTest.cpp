// The shared object's dynamic symbol table holds the seven exports and
// nothing else: the plotter binds them by name at load time.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  pclose(pipe);
  return out;
}

TEST(KorvelExports, ExactlyTheSevenFunctions) {
  const std::string out = Shell(std::string("nm -D --defined-only '") + KORVEL_SO_PATH + "' 2>&1");
  std::set<std::string> names;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) {
      EXPECT_EQ(type, "T") << line;
      names.insert(name);
    }
  }
  const std::set<std::string> expected = {"Init_Number", "Lex_Analiz_Init", "Lexan", "Error",
                                          "Init_ABC", "Interpret", "GetDraw"};
  EXPECT_EQ(names, expected) << out;
}

}  // namespace
