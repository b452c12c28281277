// What one pane command gives back: the new pane text, the status text and the
// message box, each present only when the command produced it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "strings/B2String1.h"

/// The outputs of a filter or conversion core. The window commands write what is
/// present into the controls and leave the rest as it was; linsift-cli prints it.
class FilterResult {
 public:
  /// The new pane text, or null when the pane stays as it was.
  std::unique_ptr<B2String1> pane;
  /// True when pane is not the whole result: it would pass what a B2String1 takes (40,000,000
  /// bytes; an append at 39,999,999 is refused) and pane holds only its first part.
  bool cut = false;
  /// The new status text (Shift_JIS), or none when the status bar stays as it was.
  std::optional<std::string> status;
  /// The message box text and its caption (Shift_JIS), or none when no box is shown.
  std::optional<std::string> message;
  std::string caption;
};
