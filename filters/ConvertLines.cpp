// ConvertLines: one pass over the lines, each converted by the one line rule.
#include "filters/ConvertLines.h"

#include <cstring>

#include "filters/LineRules.h"
#include "filters/OutputText.h"
#include "filters/TextLine.h"

namespace filters {

FilterResult ConvertLines(NkfConvertFn convert, const char* pane, size_t paneSize) {
  const size_t size = TextLine::PaneSize(pane, paneSize);
  if (size == 0) return FilterResult();
  const char* end = pane + size;
  LineConverter converter(convert);
  // Every line, empty ones too, is written with CR LF, and a converter may double it: the
  // output never passes 2 * size + 2 bytes, so it is reserved once and never regrown.
  OutputText out(2 * size + 2);
  std::int64_t written = 0;
  const char* p = pane;
  for (;;) {
    const TextLine line = TextLine::At(p, end);
    // The empty rest after a final line break is no line: converting twice changes nothing more.
    if (line.IsLast() && line.Size() == 0 && p != pane) break;
    const std::string_view converted = converter.Convert(line.begin, line.end);
    if (converted.data() == line.begin) {
      out.PutStable(converted.data(), converted.size());
    } else {
      out.PutTransient(converted.data(), converted.size());
      // A decoded %0A is a line break of the new text.
      for (const char *lf = converted.data(), *stop = lf + converted.size();
           (lf = static_cast<const char*>(std::memchr(lf, '\n', stop - lf))) != nullptr; ++lf) {
        ++written;
      }
    }
    out.PutStable(line.breakSize == 2 ? line.end : "\r\n", 2);
    ++written;
    if (line.IsLast() || line.Next() == end) break;  // no empty line after a final break
    p = line.Next();
  }
  return out.Result(written);
}

FilterResult ConvertLines(NkfConvertFn convert, const B2String& paneText) {
  return ConvertLines(convert, paneText.Data(), static_cast<size_t>(paneText.Length()));
}

}  // namespace filters
