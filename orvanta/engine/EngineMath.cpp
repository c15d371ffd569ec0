// The out-of-line parts of the guarded math: the factorial table and the
// locale-independent reading of decimal texts.
#include "orvanta/engine/EngineMath.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace orv_engine {

const long double* FactTable() {
  static const struct Table {
    long double v[kMaxFact + 1];
    Table() {
      v[0] = 1;
      long double p = 1;
      for (int i = 1; i <= kMaxFact; ++i) {
        p *= i;
        v[i] = p;
      }
    }
  } table;
  return table.v;
}

namespace {

locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

}  // namespace

bool DecimalToExt(const char* text, size_t len, long double* value) {
  std::string copy(text, len);
  int savedErrno = errno;
  char* end = nullptr;
  long double v = strtold_l(copy.c_str(), &end, CLocale());
  errno = savedErrno;
  if (end != copy.c_str() + copy.size()) return false;
  if (!Finite(v)) return false;  // beyond the extended range
  *value = v;
  return true;
}

}  // namespace orv_engine
