// Fuzzes the filter cores (matching characters and bytes) and ConvertLines against the
// line-by-line reference of the tests: any difference in pane text, status, message or caption
// aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/filters/ReferenceFilters.h"

namespace {

void NKF32_CALL Tagging(char* out, const char* in) {
  const size_t n = std::strlen(in);
  if (n < 2) {
    std::memcpy(out, in, n + 1);
    return;
  }
  out[0] = '<';
  std::memcpy(out + 1, in, n);
  out[n + 1] = '>';
  out[n + 2] = '\0';
}

void Check(const ShownResult& expected, const ShownResult& actual, const char* what) {
  if (PaneOf(expected) == PaneOf(actual) && expected.status == actual.status &&
      expected.message == actual.message && expected.caption == actual.caption &&
      expected.cut == actual.cut) {
    return;
  }
  std::fprintf(stderr, "%s differs from the reference\n", what);
  std::abort();
}

}  // namespace

// Input: a selector byte, a search length byte (doubled when the selector's top bit is set,
// so search texts past 255 bytes occur), the search text, then the pane text. The selector's
// bit 6 picks the filters' matching: set for bytes, clear for characters.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const unsigned selector = data[0];
  const Matching matching = (selector & 0x40) != 0 ? Matching::kBytes : Matching::kCharacters;
  size_t searchSize = data[1];
  if (selector & 0x80) searchSize *= 2;
  data += 2;
  size -= 2;
  if (searchSize > size) searchSize = size;
  const std::string search(reinterpret_cast<const char*>(data), searchSize);
  const std::string pane(reinterpret_cast<const char*>(data) + searchSize, size - searchSize);
  switch (selector % 6) {
    case 0:
      Check(reference::Run(reference::Filter::kExtract, search, pane, matching),
            Extract(search.c_str(), pane.data(), pane.size(), matching), "Extract");
      break;
    case 1:
      Check(reference::Run(reference::Filter::kDelete, search, pane, matching),
            Delete(search.c_str(), pane.data(), pane.size(), matching), "Delete");
      break;
    case 2:
      Check(reference::Run(reference::Filter::kDeleteUpTo, search, pane, matching),
            DeleteUpTo(search.c_str(), pane.data(), pane.size(), matching), "DeleteUpTo");
      break;
    case 3:
      Check(reference::Run(reference::Filter::kCountMatches, search, pane, matching),
            CountMatches(search.c_str(), pane.data(), pane.size(), matching), "CountMatches");
      break;
    case 4:
      Check(reference::Convert(nullptr, pane), ConvertLines(nullptr, pane.data(), pane.size()),
            "ConvertLines without a converter");
      break;
    default:
      Check(reference::Convert(Tagging, pane), ConvertLines(Tagging, pane.data(), pane.size()),
            "ConvertLines");
      break;
  }
  return 0;
}
