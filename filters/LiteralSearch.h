// The search for a literal in the bytes of a text, in each encoding a line may be read in, with
// or without case.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "filters/LineEncoding.h"
#include "filters/SearchForms.h"
#include "strings/ByteSearch.h"

/// Finds the occurrences of a literal's forms (Shift_JIS and UTF-8, filters/SearchForms.h) in a
/// byte run, byte for byte, or folding case (filters/CaseFold.h) when asked. Knows nothing of
/// lines or character boundaries: its callers check those. Immutable once built; neither copied
/// nor moved, as the prepared needles point into it.
class LiteralSearch {
 public:
  /// The search for the forms of literal (not empty). ignoreCase: a letter matches its other
  /// case too. givenBytesOnly: the literal's Shift_JIS bytes serve every line, UTF-8 ones too
  /// (grep's rule, for matching by bytes).
  LiteralSearch(const SearchForms& literal, bool ignoreCase, bool givenBytesOnly = false);
  LiteralSearch(const LiteralSearch&) = delete;
  LiteralSearch& operator=(const LiteralSearch&) = delete;

  /// The first occurrence of any form that starts in [from, end) and ends by end, or null.
  /// Two exact forms are searched for at once (bytesearch::FindEither); folded ones in windows
  /// growing from 256 bytes, each form over each window, so the cost stays linear in the bytes
  /// passed whichever form comes first.
  const char* Next(const char* from, const char* end) const;

  /// The first occurrence in [from, end) of the form for lines read in encoding, or null (also
  /// when the literal has no such form).
  const char* Find(LineEncoding encoding, const char* from, const char* end) const;

  /// The size in bytes of the form for encoding (0 when it has none).
  size_t Size(LineEncoding encoding) const;

 private:
  struct Form {
    bool present = false;
    std::string bytes;
    /// Folding: bytes with every letter in its other case, and the runs of [begin, end) bytes
    /// that must equal one of the two (each letter alone, the rest in one piece).
    std::string other;
    struct Run {
      size_t begin, end;
      bool letter;
    };
    std::vector<Run> runs;
    bytesearch::Needle needle{};
  };

  void Prepare(Form& form, const std::string* bytes, LineEncoding encoding);
  /// True when the form matches its own bytes only (no letter to fold).
  static bool Exact(const Form& form) { return form.runs.empty() || form.bytes == form.other; }
  const char* FindForm(const Form& form, const char* from, const char* end) const;
  const char* FindFolded(const Form& form, const char* from, const char* end) const;
  bool FoldedAt(const Form& form, const char* p) const;
  const Form& FormFor(LineEncoding encoding) const {
    return encoding == LineEncoding::kShiftJis || shared_ ? shiftJis_ : utf8_;
  }

  bool ignoreCase_;
  bool shared_;  // one form serves both encodings (an ASCII literal)
  Form shiftJis_;
  Form utf8_;
};
