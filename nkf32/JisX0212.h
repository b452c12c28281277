// JisX0212: the supplementary kanji plane, as EUC-JP reaches it through SS3 (8F)
// and ISO-2022-JP through ESC $ ( D.
#pragma once

namespace nkf32 {

/// The plane as the common EUC-JP variants fill it (eucJP-ms, Windows' EUC-JP):
/// JIS X 0212, the IBM extension kanji in rows 83-84 and the user-defined rows
/// 85-94 as private use characters (which CP932 keeps in its F0-F9 rows). The
/// table is generated from glibc iconv by nkf32/tools/make_jisx0212.py.
class JisX0212 {
 public:
  /// The Unicode character at a row and cell (1-94 each); 0 where the plane
  /// defines none or the position is out of range.
  static char32_t ToUnicode(unsigned row, unsigned cell);
};

}  // namespace nkf32
