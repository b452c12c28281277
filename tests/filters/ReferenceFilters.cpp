// Straightforward filters over the real SplitLines and B2String1 operations.
#include "ReferenceFilters.h"

#include <cstring>
#include <memory>
#include <vector>

#include "filters/LineFilters.h"
#include "filters/ShownTexts.h"
#include "strings/B2String1.h"
#include "strings/B2StringVector.h"

namespace reference {
namespace {

// GetWindowTextA into a buffer of capacity bytes: at most capacity - 1 bytes, NUL-terminated.
std::string ReadBox(const std::string& box, size_t capacity) {
  std::string text(box.c_str());
  if (text.size() > capacity - 1) text.resize(capacity - 1);
  return text;
}

}  // namespace

FilterResult Run(Filter filter, const std::string& searchBox, const std::string& pane) {
  FilterResult result;
  const char* paneText = pane.c_str();  // the pane holds text up to its first NUL
  if (filter == Filter::kCountMatches) {
    const std::string search = ReadBox(searchBox, 257);
    if (search.empty() || search.size() > 255) return result;
    B2String1 copy(paneText);
    copy.ReplaceAll("\r\n", "\n");
    std::unique_ptr<B2StringVector> lines(copy.Split('\n'));
    int matches = 0;
    for (int i = 0; i < lines->Count(); ++i) {
      if (lines->Get(i)->IndexOf(search.c_str()) >= 0) ++matches;
    }
    result.status = ShownTexts::Lines(lines->Count());
    result.message = ShownTexts::Matches(matches);
    result.caption = search;
    return result;
  }

  const std::string search = ReadBox(searchBox, 256);
  if (search.empty()) return result;
  std::unique_ptr<B2StringVector> lines = SplitLines(paneText);
  if (lines == nullptr) {
    result.status = std::string();
    return result;
  }
  auto out = std::make_unique<B2String1>();
  int written = 0;
  const int count = lines->Count();
  for (int i = 0; i < count; ++i) {
    B2String1* line = lines->Get(i);
    const int p = line->IndexOf(search.c_str());
    bool pass = false;
    switch (filter) {
      case Filter::kExtract:
        pass = p >= 0;
        break;
      case Filter::kDelete:
        pass = p == -1 && line->ByteAt(0) != 0;
        break;
      case Filter::kDeleteUpTo:
        if (p > 0 && line->ByteAt(0) != 0) {
          for (int k = 0; k < p; ++k) line->RemoveAt(0);
        }
        pass = line->ByteAt(0) != 0;
        break;
      case Filter::kCountMatches:
        break;
    }
    if (!pass) continue;
    out->Append(*line);
    out->Append("\r\n");
    ++written;
  }
  result.pane = std::move(out);
  result.status = ShownTexts::Lines(written);
  return result;
}

FilterResult Convert(NkfConvertFn convert, const std::string& pane) {
  FilterResult result;
  if (std::strlen(pane.c_str()) < 1) return result;
  std::unique_ptr<B2StringVector> lines = SplitLines(pane.c_str());
  auto out = std::make_unique<B2String1>();
  // The empty line after a final line break is not written.
  const bool finalBreak = pane[std::strlen(pane.c_str()) - 1] == '\n';
  const int count = lines->Count() - (finalBreak ? 1 : 0);
  for (int i = 0; i < count; ++i) {
    B2String1* line = lines->Get(i);
    line->UrlDecode();
    const int n = line->Size();
    if (convert == nullptr) {
      out->Append(line->CStr());
    } else {
      std::vector<char> buffer(2 * static_cast<size_t>(n) + 1);
      convert(buffer.data(), line->CStr());
      out->Append(buffer.data());
    }
    out->Append("\r\n");
  }
  result.pane = std::move(out);
  return result;
}

}  // namespace reference

std::string PaneOf(const FilterResult& result) {
  if (result.pane == nullptr) return "<none>";
  return std::string(result.pane->Data(), static_cast<size_t>(result.pane->Length()));
}

std::string Repeated(const std::string& piece, size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  std::string block = piece;
  for (size_t left = times; left > 0; left >>= 1) {
    if (left & 1) out += block;
    if (left > 1) block += block;
  }
  return out;
}
