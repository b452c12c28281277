// The cores applied block by block. The only place linsift-cli calls the filters and the
// converter binding.
#include "cli/StreamCommand.h"

#include "binding/BindConverter.h"
#include "filters/ConvertLines.h"
#include "filters/LineFilters.h"
#include "filters/LineRules.h"
#include "filters/ShownTexts.h"

namespace {

constexpr char kCrLf[] = "\r\n";

}  // namespace

StreamCommand::StreamCommand(Kind kind, const filters::Matcher* matcher, NkfConvertFn convert)
    : kind_(kind), matcher_(matcher), convert_(convert) {}

StreamCommand::Outcome StreamCommand::Run(LineBlocks& blocks, const WriteFn& write,
                                          Totals& totals) const {
  for (;;) {
    switch (blocks.Next()) {
      case LineBlocks::Step::kEnd:
        if (kind_ == Kind::kCount) ++totals.lines;  // the text's last line, after its last LF
        return Outcome::kDone;
      case LineBlocks::Step::kError:
        return Outcome::kReadFailed;
      case LineBlocks::Step::kBlock: {
        totals.empty = false;
        const Outcome outcome = Apply(blocks.Data(), blocks.Size(), write, totals);
        if (outcome != Outcome::kDone) return outcome;
        break;
      }
    }
  }
}

StreamCommand::Outcome StreamCommand::Apply(const char* data, size_t size, const WriteFn& write,
                                            Totals& totals) const {
  if (size > coreLimit_) return ApplyToLine(data, size, write, totals);
  filters::FilterResult result;
  switch (kind_) {
    case Kind::kExtract:
      result = filters::Extract(*matcher_, data, size);
      break;
    case Kind::kDelete:
      result = filters::Delete(*matcher_, data, size);
      break;
    case Kind::kDeleteUpTo:
      result = filters::DeleteUpTo(*matcher_, data, size);
      break;
    case Kind::kCount:
      result = filters::CountMatches(*matcher_, data, size);
      break;
    case Kind::kConvert:
      result = filters::ConvertLines(convert_, data, size);
      break;
  }
  if (result.gaveUp) return Outcome::kGaveUp;
  if (kind_ == Kind::kCount) {
    // A block's line count includes the line after its last LF, which the next block
    // continues; the text's last line is added once at its end.
    totals.lines += result.lines.value_or(1) - 1;
    totals.matches += result.matches.value_or(0);
    return Outcome::kDone;
  }
  if (kind_ != Kind::kConvert) totals.lines += result.lines.value_or(0);
  if (result.pane == nullptr) return Outcome::kDone;
  return write(result.pane->Data(), static_cast<size_t>(result.pane->Length()))
             ? Outcome::kDone
             : Outcome::kWriteFailed;
}

// One line longer than a core takes, by the cores' own line rules.
StreamCommand::Outcome StreamCommand::ApplyToLine(const char* data, size_t size,
                                                  const WriteFn& write, Totals& totals) const {
  const char* end = data + size;
  const bool lineFeed = end[-1] == '\n';
  if (lineFeed) --end;
  const char* breakBytes = kCrLf;
  if (lineFeed && end > data && end[-1] == '\r') breakBytes = --end;  // keep CR LF from there
  const TextLine line{data, end, 0};
  auto put = [&](const char* bytes, size_t n) {
    return write(bytes, n) && write(breakBytes, 2) ? Outcome::kDone : Outcome::kWriteFailed;
  };
  if (kind_ == Kind::kConvert) {
    filters::LineConverter converter(convert_);  // its buffers hold what Convert gives
    const std::string_view converted = converter.Convert(data, end);
    return put(converted.data(), converted.size());
  }
  const filters::LineMatch first = matcher_->FirstIn(data, end);
  if (first.gaveUp) return Outcome::kGaveUp;
  if (kind_ == Kind::kCount) {
    totals.lines += lineFeed ? 1 : 0;
    totals.matches += first ? 1 : 0;
    return Outcome::kDone;
  }
  const filters::Rule rule = kind_ == Kind::kExtract  ? filters::Rule::kExtract
                             : kind_ == Kind::kDelete ? filters::Rule::kDelete
                                                      : filters::Rule::kDeleteUpTo;
  const char* from = filters::KeptFrom(rule, line, first);
  if (from == nullptr) return Outcome::kDone;
  ++totals.lines;
  return put(from, static_cast<size_t>(end - from));
}

std::string StreamCommand::FilterStatus(const Totals& totals) {
  return totals.empty ? std::string() : filters::ShownTexts::Lines(totals.lines);
}

std::string StreamCommand::CountLines(const Totals& totals) {
  return filters::ShownTexts::Lines(totals.lines);
}

std::string StreamCommand::CountMatches(const Totals& totals) {
  return filters::ShownTexts::Matches(totals.matches);
}

NkfConvertFn StreamCommand::LoadConverter() { return BindConverter().convert; }
