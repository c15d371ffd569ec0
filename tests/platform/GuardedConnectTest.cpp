// Every Qt connection into our code runs behind the handler guard: a lambda
// or a member function of ours passed to connect() or QTimer::singleShot()
// must be wrapped by plat::On, or do nothing but call Guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The text with comments, string and character literals blanked out (line
// breaks kept, so offsets still give line numbers).
std::string CodeOnly(const std::string& s) {
  std::string out = s;
  enum { Code, Line, Block, Str, Chr } st = Code;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const char n = i + 1 < s.size() ? s[i + 1] : '\0';
    switch (st) {
      case Code:
        if (c == '/' && n == '/') st = Line;
        else if (c == '/' && n == '*') st = Block;
        else if (c == '"') st = Str;
        else if (c == '\'' && !(i > 0 && std::isxdigit(static_cast<unsigned char>(s[i - 1])))) st = Chr;
        else continue;
        out[i] = ' ';
        break;
      case Line:
        if (c == '\n') st = Code;
        else out[i] = ' ';
        break;
      case Block:
        if (c == '*' && n == '/') {
          out[i] = out[i + 1] = ' ';
          ++i;
          st = Code;
        } else if (c != '\n') {
          out[i] = ' ';
        }
        break;
      case Str:
      case Chr:
        if (c == '\\') {
          out[i] = ' ';
          if (i + 1 < s.size() && n != '\n') out[++i] = ' ';
          break;
        }
        if (c == (st == Str ? '"' : '\'')) st = Code;
        if (c != '\n') out[i] = ' ';
        break;
    }
  }
  return out;
}

bool IsIdent(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The position just past the bracket matching the one at `open`.
std::size_t PastMatch(const std::string& s, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < s.size(); ++i) {
    if (s[i] == '(' || s[i] == '[' || s[i] == '{') ++depth;
    if (s[i] == ')' || s[i] == ']' || s[i] == '}')
      if (--depth == 0) return i + 1;
  }
  return s.size();
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The top-level arguments of the call whose '(' is at `open`.
std::vector<std::string> Arguments(const std::string& s, std::size_t open) {
  std::vector<std::string> args;
  const std::size_t end = PastMatch(s, open) - 1;
  std::size_t start = open + 1;
  for (std::size_t i = start; i < end; ++i) {
    if (s[i] == '(' || s[i] == '[' || s[i] == '{') {
      i = PastMatch(s, i) - 1;
    } else if (s[i] == ',') {
      args.push_back(Trim(s.substr(start, i - start)));
      start = i + 1;
    }
  }
  args.push_back(Trim(s.substr(start, end - start)));
  return args;
}

// A lambda whose body is a single Guard(...) call.
bool LambdaOnlyGuards(const std::string& lambda) {
  const std::size_t brace = lambda.find('{', PastMatch(lambda, 0));
  if (brace == std::string::npos) return false;
  std::string body = Trim(lambda.substr(brace + 1, PastMatch(lambda, brace) - brace - 2));
  for (const char* prefix : {"plat::Guard", "Guard"}) {
    const std::string p = prefix;
    if (body.compare(0, p.size(), p) != 0) continue;
    const std::size_t open = body.find_first_not_of(" \t\r\n", p.size());
    if (open == std::string::npos || body[open] != '(') return false;
    return Trim(body.substr(PastMatch(body, open))) == ";";
  }
  return false;
}

// An argument that runs our code outside the guard: a lambda that does more
// than call Guard, or a member function of a class not Qt's own.
bool Unguarded(const std::string& arg) {
  if (!arg.empty() && arg[0] == '[') return !LambdaOnlyGuards(arg);
  if (arg.size() > 1 && arg[0] == '&') {
    const std::string name = Trim(arg.substr(1));
    const auto colons = name.rfind("::");
    if (colons == std::string::npos) return false;
    std::string cls = name.substr(0, colons);
    if (cls.compare(0, 2, "::") == 0) cls.erase(0, 2);
    return cls.empty() || cls[0] != 'Q';
  }
  return false;
}

// Line numbers of the unguarded connections in one file's text.
std::vector<int> UnguardedConnections(const std::string& text) {
  const std::string code = CodeOnly(text);
  std::vector<int> lines;
  for (const std::string word : {"connect", "singleShot"}) {
    for (std::size_t at = code.find(word); at != std::string::npos; at = code.find(word, at + 1)) {
      if (at > 0 && IsIdent(code[at - 1])) continue;
      const std::size_t open = code.find_first_not_of(" \t\r\n", at + word.size());
      if (open == std::string::npos || code[open] != '(') continue;
      for (const std::string& arg : Arguments(code, open))
        if (Unguarded(arg)) {
          lines.push_back(1 + static_cast<int>(std::count(code.begin(), code.begin() + at, '\n')));
          break;
        }
    }
  }
  return lines;
}

}  // namespace

TEST(GuardedConnect, TheCheckTellsGuardedFromUnguardedConnections) {
  struct Case {
    const char* code;
    bool flagged;
  };
  const Case cases[] = {
      {"connect(b, &QPushButton::clicked, this, [this] { Step(); });", true},
      {"QObject::connect(b, &QPushButton::clicked, this,\n  [this](bool) {\n  Cut(); Guard([this] { Change(); }); });", true},
      {"connect(b, &QPushButton::clicked, this, &TMainForm::Button1Click);", true},
      {"QTimer::singleShot(0, this, [this] { Relayout(); });", true},
      {"connect(b, &QPushButton::clicked, this, [this] { Guard([this] { UpClick(); }); });", false},
      {"connect(b, &QPushButton::clicked, this, [h]() mutable { plat::Guard([&] { h(); }); });", false},
      {"connect(b, &QPushButton::clicked, this, &QDialog::reject);", false},
      {"plat::On(b, &QPushButton::clicked, this, [this] { Step(); });", false},
      {"// connect(b, &QPushButton::clicked, this, [this] { Step(); });", false},
      {"const char* t = \"connect(b, s, this, [this] { Step(); })\";", false},
      {"disconnect(b, nullptr, this, nullptr);", false},
  };
  for (const Case& c : cases) EXPECT_EQ(!UnguardedConnections(c.code).empty(), c.flagged) << c.code;
  EXPECT_EQ(UnguardedConnections("int a;\n\nconnect(b, &X::y, this, [] { f(); });"), std::vector<int>{3});
}

TEST(GuardedConnect, NoConnectionOfOursRunsOutsideTheGuard) {
  const fs::path root = ORV_SOURCE_DIR;
  int files = 0;
  for (const char* area : {"orvanta", "lumivar", "platform"}) {
    ASSERT_TRUE(fs::is_directory(root / area)) << (root / area);
    for (const auto& e : fs::recursive_directory_iterator(root / area)) {
      const std::string ext = e.path().extension().string();
      if (!e.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      std::ifstream in(e.path(), std::ios::binary);
      const std::string text((std::istreambuf_iterator<char>(in)), {});
      ++files;
      for (int line : UnguardedConnections(text))
        ADD_FAILURE() << e.path().string() << ":" << line
                      << ": connect this handler with plat::On, or wrap its body in plat::Guard";
    }
  }
  EXPECT_GT(files, 20);
}
