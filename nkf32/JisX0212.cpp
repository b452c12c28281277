// The generated JIS X 0212 table.
#include "nkf32/JisX0212.h"

#include <cstdint>

namespace nkf32 {
namespace {
#include "nkf32/JisX0212Table.inc"
}  // namespace

char32_t JisX0212::ToUnicode(unsigned row, unsigned cell) {
  if (row - 1 >= 94 || cell - 1 >= 94) return 0;
  return kJisX0212ToUnicode[(row - 1) * 94 + cell - 1];
}

}  // namespace nkf32
