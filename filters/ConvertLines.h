// The whole-text conversion: every line percent-decoded, then converted by nkf32.
#pragma once

#include <cstddef>

#include "filters/FilterResult.h"
#include "nkf32/nkf32.h"
#include "strings/B2String.h"

namespace filters {

/// Percent-decodes every line of the pane text (text::PercentDecode: %XX with two hex digits
/// becomes that byte; everything else, '+' included, stays) and hands it, read up to its first NUL,
/// to convert with an output buffer of 2 * n + 1 bytes (n: the decoded line's length). Each
/// converted line, read up to its NUL, is written followed by CR LF; empty lines too, but not the
/// empty rest after a final line break ("a\r\n" gives "a\r\n", "a" gives "a\r\n"). Without a
/// converter (null) each decoded line is written as the converter would have read it. Gives the new
/// pane text and the number of LF bytes in it (its lines, each ended by a break); nothing for an
/// empty pane text. The pane text is read up to its first NUL, at most 40,000,000 bytes; there is
/// no limit on lines.
FilterResult ConvertLines(NkfConvertFn convert, const char* pane, size_t paneSize);
FilterResult ConvertLines(NkfConvertFn convert, const B2String& paneText);

}  // namespace filters
