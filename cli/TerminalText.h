// Conversion between Shift_JIS and UTF-8 at linsift-cli's edge, for --utf8.
#pragma once

#include <string>

/// The few conversions linsift-cli needs to talk to a UTF-8 terminal: iconv on Linux,
/// MultiByteToWideChar/WideCharToMultiByte on Windows.
class TerminalText {
 public:
  /// The UTF-8 text as Shift_JIS (code page 932). False when it is not valid UTF-8 or holds a
  /// character that Shift_JIS cannot write; out then holds no meaningful text.
  static bool Utf8ToShiftJis(const std::string& utf8, std::string& out);
  /// The Shift_JIS text as UTF-8 (the program's own texts always decode; anything that does not
  /// comes back as it was on Linux, and with U+FFFD on Windows).
  static std::string ShiftJisToUtf8(const std::string& sjis);
  /// Windows only: the index-th argument of the wide command line as Shift_JIS; false when it is
  /// missing or holds a character that Shift_JIS cannot write. (argv holds it already narrowed
  /// to the ANSI code page, which may have lost characters.)
  static bool WideArgumentAsShiftJis(int index, std::string& out);
};
