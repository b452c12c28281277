// The cores applied block by block. The only place linsift-cli calls the filters and the
// converter binding.
#include "cli/StreamCommand.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "binding/BindConverter.h"
#include "filters/ConvertLines.h"
#include "filters/LineFilters.h"
#include "filters/ShownTexts.h"
#include "text/PercentDecode.h"

namespace {

constexpr char kCrLf[] = "\r\n";

// A shown text's format ("全%d行") with a number of any size in place of its %d.
std::string FormatCount(const char* format, long long n) {
  const std::string text(format);
  const size_t at = text.find("%d");
  return text.substr(0, at) + std::to_string(n) + text.substr(at + 2);
}

// The number in a text made from format, as a core wrote it; 0 when it does not fit.
long long ParseCount(const std::string& text, const char* format) {
  const size_t at = std::strstr(format, "%d") - format;
  if (text.size() < std::strlen(format) - 2) return 0;
  return std::strtoll(text.c_str() + at, nullptr, 10);
}

}  // namespace

StreamCommand::StreamCommand(Kind kind, const std::string& search, NkfConvertFn convert,
                             Matching matching)
    : kind_(kind), search_(search), convert_(convert), matching_(matching) {}

StreamCommand::Outcome StreamCommand::Run(LineBlocks& blocks, const WriteFn& write,
                                          Totals& totals) const {
  for (;;) {
    switch (blocks.Next()) {
      case LineBlocks::Step::kEnd:
        if (kind_ == Kind::kCount) ++totals.lines;  // the text's last line, after its last LF
        return Outcome::kDone;
      case LineBlocks::Step::kError:
        return Outcome::kReadFailed;
      case LineBlocks::Step::kBlock:
        totals.empty = false;
        if (!Apply(blocks.Data(), blocks.Size(), write, totals)) return Outcome::kWriteFailed;
        break;
    }
  }
}

bool StreamCommand::Apply(const char* data, size_t size, const WriteFn& write,
                          Totals& totals) const {
  if (size > coreLimit_) return ApplyToLine(data, size, write, totals);
  const char* search = search_.c_str();
  FilterResult result;
  switch (kind_) {
    case Kind::kExtract:
      result = Extract(search, data, size, matching_);
      break;
    case Kind::kDelete:
      result = Delete(search, data, size, matching_);
      break;
    case Kind::kDeleteUpTo:
      result = DeleteUpTo(search, data, size, matching_);
      break;
    case Kind::kCount:
      result = ::CountMatches(search, data, size, matching_);
      break;
    case Kind::kConvert:
      result = ConvertLines(convert_, data, size);
      break;
  }
  if (kind_ == Kind::kCount) {
    // A block's line count includes the line after its last LF, which the next block
    // continues; the text's last line is added once at its end.
    totals.lines += ParseCount(result.status.value_or(""), ShownTexts::kLinesFormat) - 1;
    totals.matches += ParseCount(result.message.value_or(""), ShownTexts::kMatchesFormat);
    return true;
  }
  if (kind_ != Kind::kConvert) {
    totals.lines += ParseCount(result.status.value_or(""), ShownTexts::kLinesFormat);
  }
  if (result.pane == nullptr) return true;
  return write(result.pane->Data(), static_cast<size_t>(result.pane->Length()));
}

// One line longer than a core takes, the same rules as the cores' applied to it alone.
bool StreamCommand::ApplyToLine(const char* data, size_t size, const WriteFn& write,
                                Totals& totals) const {
  const char* begin = data;
  const char* end = data + size;
  const bool lineFeed = end[-1] == '\n';
  if (lineFeed) --end;
  const char* breakBytes = kCrLf;
  if (lineFeed && end > begin && end[-1] == '\r') breakBytes = --end;  // keep CR LF from there
  const char* hit =
      kind_ == Kind::kConvert ? nullptr : FirstMatchInLine(search_.c_str(), begin, end, matching_);
  const bool empty = begin == end;
  const char* from = begin;
  switch (kind_) {
    case Kind::kCount:
      totals.lines += lineFeed ? 1 : 0;
      totals.matches += hit != nullptr ? 1 : 0;
      return true;
    case Kind::kExtract:
      if (hit == nullptr) return true;
      break;
    case Kind::kDelete:
      if (hit != nullptr || empty) return true;
      break;
    case Kind::kDeleteUpTo:
      if (empty) return true;
      if (hit != nullptr) from = hit;
      break;
    case Kind::kConvert: {
      // As ConvertLines: decoded, read up to its NUL, converted into 2 * n + 1 bytes.
      std::unique_ptr<char[]> decoded(new char[size + 1]);
      const size_t n = text::PercentDecode(begin, end, decoded.get());
      decoded[n] = '\0';
      if (convert_ == nullptr) {
        return write(decoded.get(), std::strlen(decoded.get())) && write(breakBytes, 2);
      }
      const size_t room = 2 * n + 1;
      std::unique_ptr<char[]> converted(new char[room]);
      converted[0] = '\0';
      convert_(converted.get(), decoded.get());
      const void* nul = std::memchr(converted.get(), 0, room);
      const size_t written =
          nul == nullptr ? room
                         : static_cast<size_t>(static_cast<const char*>(nul) - converted.get());
      return write(converted.get(), written) && write(breakBytes, 2);
    }
  }
  ++totals.lines;
  return write(from, static_cast<size_t>(end - from)) && write(breakBytes, 2);
}

std::string StreamCommand::FilterStatus(const Totals& totals) {
  return totals.empty ? std::string() : FormatCount(ShownTexts::kLinesFormat, totals.lines);
}

std::string StreamCommand::CountLines(const Totals& totals) {
  return FormatCount(ShownTexts::kLinesFormat, totals.lines);
}

std::string StreamCommand::CountMatches(const Totals& totals) {
  return FormatCount(ShownTexts::kMatchesFormat, totals.matches);
}

NkfConvertFn StreamCommand::LoadConverter() { return BindConverter().convert; }
