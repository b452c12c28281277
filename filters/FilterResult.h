// What one filter or conversion gives back: the new text and its counts, as numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "strings/B2String1.h"

namespace filters {

/// The outputs of a filter or conversion core. Counts stay numbers until they are shown:
/// filters/ShownTexts.h formats them. The window writes what is present and leaves the rest
/// as it was; linsift-cli adds the counts of its blocks up.
class FilterResult {
 public:
  /// The new text, or null when the text stays as it was.
  std::unique_ptr<B2String1> pane;
  /// True when pane is not the whole result: it would pass what a B2String1 takes (40,000,000
  /// bytes; an append at 39,999,999 is refused) and pane holds only its first part.
  bool cut = false;
  /// True when the matcher abandoned a line's search (a work limit): nothing else is present.
  bool gaveUp = false;
  /// True when the input text held no byte: the filters then clear the status and give no text.
  bool emptyText = false;
  /// Lines written (filters, conversion), or every line of the text (count).
  std::optional<std::int64_t> lines;
  /// Lines that hold a match (count only).
  std::optional<std::int64_t> matches;
};

}  // namespace filters
