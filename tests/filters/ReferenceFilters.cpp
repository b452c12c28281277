// Straightforward filters over the real SplitLines and B2String1 operations, with character
// boundaries decoded per line.
#include "ReferenceFilters.h"

#include <cstring>
#include <memory>
#include <vector>

#include "filters/ShownTexts.h"
#include "strings/B2String1.h"
#include "strings/B2StringVector.h"
#include "support/FilterCalls.h"

namespace reference {
namespace {

// GetWindowTextA into a buffer of capacity bytes: at most capacity - 1 bytes, NUL-terminated.
std::string ReadBox(const std::string& box, size_t capacity) {
  std::string text(box.c_str());
  if (text.size() > capacity - 1) text.resize(capacity - 1);
  return text;
}

// Whether the bytes decode as UTF-8: each sequence's code point is worked out and refused when
// it is a surrogate, past U+10FFFF, or could have been written in fewer bytes.
bool IsUtf8(const std::string& bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    size_t size = 1;
    unsigned long code = b;
    if (b >= 0xF0) {
      size = 4;
      code = b & 0x07u;
    } else if (b >= 0xE0) {
      size = 3;
      code = b & 0x0Fu;
    } else if (b >= 0xC0) {
      size = 2;
      code = b & 0x1Fu;
    } else if (b >= 0x80) {
      return false;  // a continuation byte cannot start a character
    }
    if (b >= 0xF8 || i + size > bytes.size()) return false;
    for (size_t k = 1; k < size; ++k) {
      const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
      if (c < 0x80 || c > 0xBF) return false;
      code = code << 6 | (c & 0x3Fu);
    }
    const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[size] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += size;
  }
  return true;
}

// boundary[i] tells whether a character starts at byte i of the line; boundary[size] is the
// line's end. UTF-8 lines start a character at every byte that is not 80-BF; other lines are
// walked as code page 932, a lead byte taking the next byte when that can be a trail byte.
std::vector<bool> Boundaries(const std::string& line) {
  std::vector<bool> boundary(line.size() + 1, false);
  boundary[line.size()] = true;
  if (IsUtf8(line)) {
    for (size_t i = 0; i < line.size(); ++i) {
      const unsigned char b = static_cast<unsigned char>(line[i]);
      boundary[i] = b < 0x80 || b > 0xBF;
    }
    return boundary;
  }
  size_t i = 0;
  while (i < line.size()) {
    boundary[i] = true;
    const unsigned char b = static_cast<unsigned char>(line[i]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    const unsigned char next = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
    const bool trail = next >= 0x40 && next <= 0xFC && next != 0x7F;
    i += lead && trail ? 2 : 1;
  }
  return boundary;
}

// Offset of the first occurrence of search in the line that counts, or -1: IndexOf for
// kBytes, every start offset tried in turn for kCharacters.
int FirstOccurrence(const B2String1& line, const std::string& search, Matching matching) {
  if (matching == Matching::kBytes) return line.IndexOf(search.c_str());
  const std::string bytes(line.Data(), static_cast<size_t>(line.Length()));
  const std::vector<bool> boundary = Boundaries(bytes);
  for (size_t i = 0; i + search.size() <= bytes.size(); ++i) {
    if (boundary[i] && boundary[i + search.size()] &&
        bytes.compare(i, search.size(), search) == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

ShownResult Run(Filter filter, const std::string& searchBox, const std::string& pane,
                Matching matching) {
  ShownResult result;
  const char* paneText = pane.c_str();  // the pane holds text up to its first NUL
  if (filter == Filter::kCountMatches) {
    const std::string search = ReadBox(searchBox, 257);
    if (search.empty() || search.size() > 255) return result;
    B2String1 copy(paneText);
    copy.ReplaceAll("\r\n", "\n");
    std::unique_ptr<B2StringVector> lines(copy.Split('\n'));
    int matches = 0;
    for (int i = 0; i < lines->Count(); ++i) {
      if (FirstOccurrence(*lines->Get(i), search, matching) >= 0) ++matches;
    }
    result.status = filters::ShownTexts::Lines(lines->Count());
    result.message = filters::ShownTexts::Matches(matches);
    result.caption = search;
    return result;
  }

  const std::string search = ReadBox(searchBox, 257);
  if (search.empty() || search.size() > 255) return result;
  std::unique_ptr<B2StringVector> lines = filters::SplitLines(paneText);
  if (lines == nullptr) {
    result.status = std::string();
    return result;
  }
  auto out = std::make_unique<B2String1>();
  size_t wanted = 0;  // bytes appended had no append been refused or cut
  int written = 0;
  const int count = lines->Count();
  for (int i = 0; i < count; ++i) {
    B2String1* line = lines->Get(i);
    const int p = FirstOccurrence(*line, search, matching);
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
    wanted += static_cast<size_t>(line->Length()) + 2;
    ++written;
  }
  result.cut = wanted != static_cast<size_t>(out->Length());
  result.pane = std::move(out);
  result.status = filters::ShownTexts::Lines(written);
  return result;
}

ShownResult Convert(NkfConvertFn convert, const std::string& pane) {
  ShownResult result;
  if (std::strlen(pane.c_str()) < 1) return result;
  std::unique_ptr<B2StringVector> lines = filters::SplitLines(pane.c_str());
  auto out = std::make_unique<B2String1>();
  size_t wanted = 0;
  for (int i = 0; i < lines->Count(); ++i) {
    B2String1* line = lines->Get(i);
    // The empty rest after a final line break is not a line of its own.
    if (i > 0 && i == lines->Count() - 1 && line->Length() == 0) break;
    line->UrlDecode();
    const int n = line->Size();
    if (convert == nullptr) {
      out->Append(line->CStr());
      wanted += std::strlen(line->CStr());
    } else {
      std::vector<char> buffer(2 * static_cast<size_t>(n) + 1);
      convert(buffer.data(), line->CStr());
      out->Append(buffer.data());
      wanted += std::strlen(buffer.data());
    }
    out->Append("\r\n");
    wanted += 2;
  }
  result.cut = wanted != static_cast<size_t>(out->Length());
  result.status = filters::ShownTexts::Lines(out->CountOf("\n"));
  result.pane = std::move(out);
  return result;
}

}  // namespace reference

std::string PaneOf(const ShownResult& result) {
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
