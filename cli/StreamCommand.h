// One linsift-cli command run over a text block by block, with the whole text's result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "cli/LineBlocks.h"
#include "filters/Matcher.h"
#include "nkf32/nkf32.h"

/// Runs a filter core (Extract, Delete, DeleteUpTo, CountMatches) or ConvertLines on each block
/// of a text and writes each block's result before reading on. Blocks hold whole lines, and
/// every core treats each line on its own, so the output written is byte for byte what one call
/// on the whole text gives, and the counts are the sums over the blocks (the whole text's).
///
/// A block of more than CoreLimit() bytes (one line longer than that) is not handed to a core,
/// whose output holds at most 40,000,000 bytes; the cores' own line rules
/// (filters/LineRules.h) are applied to that one line here, so nothing is ever cut.
class StreamCommand {
 public:
  enum class Kind { kExtract, kDelete, kDeleteUpTo, kCount, kConvert };

  /// Writes size bytes; false when they could not all be written.
  using WriteFn = std::function<bool(const char* data, size_t size)>;

  /// What a run counted. Filters: lines written; count: lines of the text (an empty text has
  /// one) and lines that hold the search text.
  struct Totals {
    bool empty = true;  ///< the text held no byte
    std::int64_t lines = 0;
    std::int64_t matches = 0;
  };

  /// kGaveUp: the matcher abandoned a line (a work limit); what was written stays written.
  enum class Outcome { kDone, kReadFailed, kWriteFailed, kGaveUp };

  /// The largest block handed to a core: its output (at most twice the block, plus a line
  /// break) then stays under the 40,000,000 bytes a core's output holds.
  static constexpr size_t kCoreLimit = 16 << 20;

  /// matcher: what matches (unused by kConvert, may then be null); it must outlive the command.
  /// convert: the converter for kConvert, or null to percent-decode only.
  StreamCommand(Kind kind, const filters::Matcher* matcher, NkfConvertFn convert);

  /// Lowers the block size above which a line is handled here instead of by a core (tests).
  void SetCoreLimit(size_t limit) { coreLimit_ = limit; }
  size_t CoreLimit() const { return coreLimit_; }

  /// Reads every block, writes its result, and adds to totals. Stops at the first failed read
  /// (blocks.ErrorNumber() tells why), failed write, or line the matcher gave up on.
  Outcome Run(LineBlocks& blocks, const WriteFn& write, Totals& totals) const;

  /// The status text of a filter run over a whole text: "全<n>行", or "" for an empty text.
  static std::string FilterStatus(const Totals& totals);
  /// count's two texts: "全<lines>行" and "全<matches>件".
  static std::string CountLines(const Totals& totals);
  static std::string CountMatches(const Totals& totals);

  /// Loads nkf32 beside the program (BindConverter); the bound converter, or null.
  static NkfConvertFn LoadConverter();

 private:
  Outcome Apply(const char* data, size_t size, const WriteFn& write, Totals& totals) const;
  Outcome ApplyToLine(const char* data, size_t size, const WriteFn& write, Totals& totals) const;

  Kind kind_;
  const filters::Matcher* matcher_;
  NkfConvertFn convert_;
  size_t coreLimit_ = kCoreLimit;
};
