// The literal every match of a regular expression holds, found so that the text can be searched
// for it first.
#pragma once

#include <cstddef>
#include <string>

/// Reads a regular expression (Oniguruma's Ruby syntax, Shift_JIS) far enough to find a run of
/// plain characters that every match contains.
class RequiredLiteral {
 public:
  /// The longest run of characters that every match of pattern [pattern, pattern + size) holds
  /// in a row, in the pattern's bytes; empty when none was found. Conservative: a pattern with a
  /// top-level alternative or an option group such as (?i) or (?x), and any construct it does
  /// not know, gives nothing or a shorter run, never a run some match lacks. Characters in
  /// groups, classes and escapes that stand for something else are never part of a run; an
  /// escaped punctuation or multibyte character is the character itself.
  static std::string Of(const char* pattern, size_t size);
};
