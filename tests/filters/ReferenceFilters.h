// The filters and the conversion written plainly, the way the window program describes them:
// the pane text copied into a string, split with SplitLines, every line tested with IndexOf and
// appended with CR LF. The fast cores are checked against these.
#pragma once

#include <string>

#include "nkf32/nkf32.h"
#include "support/FilterCalls.h"

namespace reference {

enum class Filter { kExtract, kDelete, kDeleteUpTo, kCountMatches };

/// The filter on (search box text, pane text). Both are read as the window reads them: up to
/// their first NUL; a search text over 255 bytes is refused (nothing at all). With
/// kCharacters an occurrence counts where it starts and ends on a character boundary of its
/// line: every line is decoded into the list of its characters' start offsets.
ShownResult Run(Filter filter, const std::string& searchBox, const std::string& pane,
                Matching matching = Matching::kCharacters);

/// ConvertLines on the pane text with the converter (null: each decoded line as it is read).
ShownResult Convert(NkfConvertFn convert, const std::string& pane);

}  // namespace reference

/// The pane text of a result as bytes, or "<none>" when it leaves the pane unchanged.
std::string PaneOf(const ShownResult& result);

/// times copies of piece, built by doubling (fast also in unoptimised builds).
std::string Repeated(const std::string& piece, size_t times);
