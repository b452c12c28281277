// Fuzzes B2String1 with operation sequences checked against the reference model, and the
// linear search helpers against a plain scan.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "strings/ByteSearch.h"
#include "tests/strings/StringModel.h"

namespace {

using stringmodel::Naive;

void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

// Input: selector byte, needle length byte, then needle and haystack bytes.
void CheckSearch(const uint8_t* data, size_t size) {
  if (size < 2) return;
  const size_t m = 1 + data[1] % 16;
  const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
  if (rest.size() < m) return;
  const std::string needle = rest.substr(0, m);
  const std::string hay = rest.substr(m);
  auto at = [&](const char* p) { return p ? static_cast<long>(p - hay.data()) : -1L; };
  const long first = Naive(hay, needle, false);
  const long last = Naive(hay, needle, true);
  if (at(bytesearch::Find(hay.data(), hay.size(), needle.data(), m)) != first) Fail("Find");
  if (at(bytesearch::FindPortable(hay.data(), hay.size(), needle.data(), m)) != first) {
    Fail("FindPortable");
  }
  if (at(bytesearch::TwoWayFind(hay.data(), hay.size(), needle.data(), m)) != first) {
    Fail("TwoWayFind");
  }
  if (at(bytesearch::FindLast(hay.data(), hay.size(), needle.data(), m)) != last) Fail("FindLast");
  if (at(bytesearch::TwoWayFindLast(hay.data(), hay.size(), needle.data(), m)) != last) {
    Fail("TwoWayFindLast");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0 && data[0] % 4 == 0) {
    CheckSearch(data, size);
    return 0;
  }
  const std::string failure = stringmodel::RunSequence(data, size);
  if (!failure.empty()) Fail(failure);
  return 0;
}
