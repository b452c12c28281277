// The whole-text conversion: every line percent-decoded, then converted by nkf32.
#pragma once

#include <cstddef>

#include "filters/FilterResult.h"
#include "nkf32/nkf32.h"
#include "strings/B2String.h"

/// Loads nkf32 (ConverterLibrary::LoadDefault), keeps its entry points for the whole process
/// and sets its option "-s" (Shift_JIS output) once. Returns true when both entry points were
/// found; otherwise nothing is bound and SetNkfOption is not called. Call it once at start-up.
bool BindConverter();

/// As BindConverter, with the library at path (tests bind a stand-in this way).
bool BindConverterAt(const char* path);

/// The bound NkfConvert, or null when nothing is bound.
NkfConvertFn BoundConverter();

/// Percent-decodes every line of the pane text (%XX with two hex digits becomes that byte;
/// everything else, '+' included, stays) and hands it, read up to its first NUL, to convert
/// with an output buffer of 2 * n + 1 bytes (n: the decoded line's length). Each converted line,
/// read up to its NUL, is written followed by CR LF; empty lines too, but not the empty line
/// after a final line break ("a\r\n" and "a" both give "a\r\n"). Without a converter (null) each
/// decoded line is written as the converter would have read it. Gives the new pane text only;
/// nothing for an empty pane text. The pane text is read up to its first NUL, at most 40,000,000
/// bytes; there is no limit on lines.
FilterResult ConvertLines(NkfConvertFn convert, const char* pane, size_t paneSize);
FilterResult ConvertLines(NkfConvertFn convert, const B2String& paneText);

/// Percent-decodes the line [begin, end) into out (room for end - begin bytes) and gives the
/// decoded size: a '%' followed by two hex digits becomes that byte; any other byte, a '%' that
/// starts no complete escape included, is copied and decoding resumes behind it. Decoded bytes
/// are never decoded again. What ConvertLines does to each line before converting it.
size_t PercentDecode(const char* begin, const char* end, char* out);

/// ConvertLines with the bound converter (what menu commands 31 and 32 run).
FilterResult ConvertLines(const B2String& paneText);
