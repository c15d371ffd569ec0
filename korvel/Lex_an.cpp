#include "korvel/Lex_an.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "korvel/Header.h"
#include "korvel/Interp.h"
#include "korvel/Sintac_Anal.h"
#include "korvel/korvel.h"

namespace korvel {

uint8_t FindToken(const char* name, size_t len) {
  for (const TTokenEntry& row : TokenTable) {
    if (std::strlen(row.Name) == len && std::memcmp(row.Name, name, len) == 0) return row.Code;
  }
  return tcEnd;
}

int64_t TenPower(int N) {
  // Exact powers: 10^N taken from e^(N ln 10) comes out below the exact value
  // for some N (999 for N = 3), which would misread every decimal place.
  static constexpr int64_t Powers[19] = {
      1LL,           10LL,           100LL,           1000LL,           10000LL,
      100000LL,      1000000LL,      10000000LL,      100000000LL,      1000000000LL,
      10000000000LL, 100000000000LL, 1000000000000LL, 10000000000000LL, 100000000000000LL,
      1000000000000000LL, 10000000000000000LL, 100000000000000000LL, 1000000000000000000LL};
  if (N < 0 || N > 18) throw ERunTime{};
  return Powers[N];
}

namespace {

// Appends a token; bad_alloc becomes code 1 at the export.
void AddToken(TLexSlot& slot, TLexKind Kind, uint8_t Code, long double Value = 0) {
  if (TokenCount == std::numeric_limits<int32_t>::max() ||
      slot.Tokens.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw ERunTime{};
  slot.Tokens.push_back(TTokenNode{Value, Kind, Code});
  ++TokenCount;
}

bool IsDigit(unsigned char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(unsigned char ch) { return ch >= 'a' && ch <= 'z'; }

// Scans the number at s[i]: the longest run of digits and points. Returns 0
// with the value and the position after the run, or ecExtraPoint for a
// second point.
int32_t ScanNumber(const unsigned char* s, size_t& i, long double& value) {
  long double v = 0;
  bool point = false;
  size_t p = 0;
  long double place = 1;  // divisor of the current decimal place
  for (; IsDigit(s[i]) || s[i] == '.'; ++i) {
    if (s[i] == '.') {
      if (point) return ecExtraPoint;
      point = true;
      p = i;
      continue;
    }
    const int d = s[i] - '0';
    if (!point) {
      v = v * 10 + d;
    } else {
      // Places beyond the 18th keep dividing by ten (exact up to 10^27, then
      // rounded): they change the value by less than its last bits.
      const size_t k = i - p;
      place = (k <= 18) ? static_cast<long double>(TenPower(static_cast<int>(k))) : place * 10;
      v += d / place;
    }
  }
  if (!std::isfinite(v)) throw ERunTime{};
  value = v;
  return 0;
}

// Scans S into the slot's token list, ending it with the end marker.
int32_t Scan(TLexSlot& slot, const unsigned char* s) {
  size_t i = 0;
  while (true) {
    const unsigned char ch = s[i];
    if (ch == 0) {
      AddToken(slot, lxEnd, tcEnd);
      return 0;
    }
    if (ch == ' ') {
      ++i;
    } else if (std::strchr("()*+-/[]^", ch) != nullptr) {
      const uint8_t code = FindToken(reinterpret_cast<const char*>(s + i), 1);
      AddToken(slot, TokenTable[code].Kind, code);
      ++i;
    } else if (IsDigit(ch)) {
      long double value = 0;
      if (int32_t r = ScanNumber(s, i, value); r != 0) return r;
      AddToken(slot, lxNumber, tcEnd, value);
    } else if (IsLetter(ch)) {
      size_t j = i;
      while (IsLetter(s[j])) ++j;
      // No name is longer than six letters; a longer run is compared with
      // nothing, whatever its length.
      const uint8_t code = (j - i <= 255) ? FindToken(reinterpret_cast<const char*>(s + i), j - i) : static_cast<uint8_t>(tcEnd);
      if (code == tcEnd) return ecBadSymbol;
      AddToken(slot, TokenTable[code].Kind, code);
      i = j;
    } else {
      return ecBadSymbol;
    }
  }
}

void ReleaseSlot(TLexSlot& slot) {
  std::vector<TTokenNode>().swap(slot.Tokens);
  std::vector<TCalcStep>().swap(slot.Steps);
  std::vector<long double>().swap(slot.OperandStack);
  slot.Compiled = false;
}

}  // namespace
}  // namespace korvel

using namespace korvel;

extern "C" KORVEL_API void Init_Number(uint8_t N) { CurNumber = N; }

extern "C" KORVEL_API void Lex_Analiz_Init(void) {
  TLexSlot* slot = SelectedSlot();
  if (slot == nullptr) return;
  TokenCount = 0;
  ReleaseSlot(*slot);
}

extern "C" KORVEL_API int32_t Lexan(char* S) {
  FpGuard guard;
  try {
    if (S == nullptr) return -1;
    for (char* p = S; *p != 0; ++p) {
      if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p + 0x20);
    }
    TLexSlot* slot = SelectedSlot();
    if (slot == nullptr) return -1;
    slot->Compiled = false;
    int32_t code = Scan(*slot, reinterpret_cast<const unsigned char*>(S));
    if (code == 0) code = CheckSyntax(*slot);
    if (code == 0) {
      BuildSteps(*slot);
      slot->Compiled = true;
    }
    return code;
  } catch (const std::bad_alloc&) {
    return ecNoMemory;
  } catch (...) {
    return -1;
  }
}
