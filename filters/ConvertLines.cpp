// ConvertLines: one pass over the lines, two buffers reused from line to line.
#include "filters/ConvertLines.h"

#include <cstring>
#include <memory>

#include "filters/OutputText.h"
#include "filters/TextLine.h"
#include "text/PercentDecode.h"

namespace {

// A buffer reused from line to line: grows when a line needs more, never shrinks, and leaves
// new bytes uninitialised so that pages are touched only as far as they are written.
class LineBuffer {
 public:
  char* Get(size_t size) {
    if (size > capacity_) {
      data_.reset(new char[size]);
      capacity_ = size;
    }
    return data_.get();
  }

 private:
  std::unique_ptr<char[]> data_;
  size_t capacity_ = 0;
};

}  // namespace

FilterResult ConvertLines(NkfConvertFn convert, const char* pane, size_t paneSize) {
  const size_t size = TextLine::PaneSize(pane, paneSize);
  if (size == 0) return FilterResult();
  const char* end = pane + size;
  // Two buffers serve every line: the decoded line with its NUL, and the converter's output,
  // which holds 2 * n + 1 bytes for a decoded line of n bytes.
  LineBuffer decodedBuffer;
  LineBuffer convertedBuffer;
  // Every line, empty ones too, is written with CR LF, and a converter may double it: the
  // output never passes 2 * size + 2 bytes, so it is reserved once and never regrown.
  OutputText out(2 * size + 2);
  const char* p = pane;
  for (;;) {
    const TextLine line = TextLine::At(p, end);
    // The empty rest after a final line break is no line: converting twice changes nothing more.
    if (line.IsLast() && line.Size() == 0 && p != pane) break;
    const bool escapes = std::memchr(line.begin, '%', line.Size()) != nullptr;
    if (convert == nullptr && !escapes) {
      out.PutStable(line.begin, line.Size());  // nothing to decode, no NUL: written as it is
    } else {
      char* decoded = decodedBuffer.Get(line.Size() + 1);
      size_t n = line.Size();
      if (escapes) {
        n = text::PercentDecode(line.begin, line.end, decoded);
      } else {
        std::memcpy(decoded, line.begin, n);
      }
      decoded[n] = '\0';
      if (convert == nullptr) {
        out.PutTransient(decoded, std::strlen(decoded));
      } else {
        const size_t room = 2 * n + 1;
        char* converted = convertedBuffer.Get(room);
        converted[0] = '\0';  // a converter that writes nothing yields an empty line
        convert(converted, decoded);
        const void* nul = std::memchr(converted, 0, room);
        const size_t written =
            nul == nullptr ? room : static_cast<size_t>(static_cast<const char*>(nul) - converted);
        out.PutTransient(converted, written);
      }
    }
    out.PutStable(line.breakSize == 2 ? line.end : "\r\n", 2);
    if (line.IsLast() || line.Next() == end) break;  // no empty line after a final break
    p = line.Next();
  }
  FilterResult result;
  result.pane = out.Finish();
  result.cut = out.Cut();
  return result;
}

FilterResult ConvertLines(NkfConvertFn convert, const B2String& paneText) {
  return ConvertLines(convert, paneText.Data(), static_cast<size_t>(paneText.Length()));
}
