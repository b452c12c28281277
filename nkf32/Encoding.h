// Encoding: the input encodings the converter recognises.
#pragma once

namespace nkf32 {

enum class Encoding { kAscii, kIso2022Jp, kEucJp, kShiftJis, kUtf8 };

/// A short readable name ("ASCII", "ISO-2022-JP", "EUC-JP", "Shift_JIS", "UTF-8").
inline const char* EncodingName(Encoding e) {
  switch (e) {
    case Encoding::kAscii:
      return "ASCII";
    case Encoding::kIso2022Jp:
      return "ISO-2022-JP";
    case Encoding::kEucJp:
      return "EUC-JP";
    case Encoding::kShiftJis:
      return "Shift_JIS";
    case Encoding::kUtf8:
      return "UTF-8";
  }
  return "?";
}

}  // namespace nkf32
