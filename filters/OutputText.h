// Builds a filter's output string from pieces, with the result the appends would give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "filters/FilterResult.h"
#include "strings/B2String1.h"

/// The output text of a filter or conversion, built from pieces in order. The result is
/// exactly what one B2String1::Append per piece gives, including the clipping at 40,000,000
/// bytes (an append is refused once the length has reached 39,999,999 and cut so the length
/// never passes 40,000,000), but pieces that lie next to each other in memory are copied with
/// one append while no clipping can occur, so a run of lines taken unchanged from the input
/// costs one copy.
class OutputText {
 public:
  /// Starts an empty output with room for about expected bytes (capped at 40,000,000).
  explicit OutputText(size_t expected);

  /// Appends size bytes that stay valid and unchanged until Finish (input text, literals).
  /// Nothing happens for size 0, as for an append of nothing.
  void PutStable(const char* bytes, size_t size) {
    if (size == 0) return;
    // A merged run equals its pieces appended one by one as long as it ends at or below
    // 39,999,999: no piece in it is then refused or cut.
    if (length_ + size <= kClipFree && pendingSize_ > 0 && pending_ + pendingSize_ == bytes) {
      pendingSize_ += size;
      length_ += size;
      return;
    }
    PutStableSlow(bytes, size);
  }
  /// Appends size bytes that may change after the call (a reused buffer).
  void PutTransient(const char* bytes, size_t size);

  /// The finished output; the OutputText is spent afterwards.
  std::unique_ptr<B2String1> Finish();
  /// True when a piece was refused or cut: the output is not everything that was put.
  bool Cut() const { return cut_; }
  /// A core's result: the finished output, whether it was cut, and the lines it counted.
  filters::FilterResult Result(std::int64_t lines) {
    filters::FilterResult result;
    result.pane = Finish();  // the last pieces go in now, and may be cut
    result.cut = cut_;
    result.lines = lines;
    return result;
  }

 private:
  // Below this length a piece can never be refused or cut.
  static constexpr size_t kClipFree = B2String1::kMaxLength - 1;

  void PutStableSlow(const char* bytes, size_t size);
  void Flush();
  void AppendNow(const char* bytes, size_t size);

  std::unique_ptr<B2String1> out_;
  const char* pending_ = nullptr;  // start of the merged run not yet appended
  size_t pendingSize_ = 0;
  size_t length_ = 0;  // output length once everything put has been appended
  bool cut_ = false;
};
