// Builds the Unicode -> CP932 table from the platform converter.
#include "nkf32/Cp932Table.h"

#include <cstring>

#include "text/ShiftJis.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace nkf32 {
namespace {

#if defined(_WIN32)

// Asks code page 932 for one BMP character; 0 when it has no exact form
// (best fit is refused, and a substituted default character counts as none).
uint16_t EncodeWithPlatform(char32_t cp) {
  wchar_t wc = static_cast<wchar_t>(cp);
  char buf[4];
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wc, 1, buf, sizeof buf, nullptr,
                              &usedDefault);
  if (usedDefault) return 0;
  if (n == 1) return static_cast<uint8_t>(buf[0]);
  if (n == 2)
    return static_cast<uint16_t>(static_cast<uint8_t>(buf[0]) << 8 | static_cast<uint8_t>(buf[1]));
  return 0;
}

char32_t DecodeBytes(const char* bytes, int n) {
  wchar_t wc[2];
  int m = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, n, wc, 2);
  return m == 1 ? static_cast<char32_t>(wc[0]) : 0;
}

#else

// One iconv descriptor per direction, closed when the build ends.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (Ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `n` bytes; returns the output size, or 0 on any failure.
  size_t Convert(const char* in, size_t n, char* out, size_t cap) {
    if (!Ok()) return 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inp = const_cast<char*>(in);
    char* outp = out;
    size_t inLeft = n;
    size_t outLeft = cap;
    if (iconv(cd_, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft) {
      return 0;
    }
    return cap - outLeft;
  }

 private:
  iconv_t cd_;
};

uint16_t EncodeWithPlatform(char32_t cp) {
  static thread_local Iconv toCp932("CP932", "UTF-32LE");
  unsigned char in[4] = {static_cast<unsigned char>(cp), static_cast<unsigned char>(cp >> 8),
                         static_cast<unsigned char>(cp >> 16), 0};
  unsigned char out[8];
  size_t n = toCp932.Convert(reinterpret_cast<const char*>(in), 4, reinterpret_cast<char*>(out),
                             sizeof out);
  if (n == 1) return out[0];
  if (n == 2) return static_cast<uint16_t>(out[0] << 8 | out[1]);
  return 0;
}

char32_t DecodeBytes(const char* bytes, int n) {
  static thread_local Iconv fromCp932("UTF-32LE", "CP932");
  unsigned char out[8];
  size_t m =
      fromCp932.Convert(bytes, static_cast<size_t>(n), reinterpret_cast<char*>(out), sizeof out);
  if (m != 4) return 0;
  return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

#endif

// Where JIS-based and Microsoft tables disagree, the JIS character takes the
// code that Shift_JIS text has always used for it.
struct Fixup {
  char32_t cp;
  uint16_t code;
};
constexpr Fixup kFixups[] = {
    {0x301C, 0x8160},  // WAVE DASH
    {0x2212, 0x817C},  // MINUS SIGN
    {0x2016, 0x8161},  // DOUBLE VERTICAL LINE
    {0x2014, 0x815C},  // EM DASH
    {0x00A2, 0x8191},  // CENT SIGN
    {0x00A3, 0x8192},  // POUND SIGN
    {0x00AC, 0x81CA},  // NOT SIGN
    {0x00A5, 0x818F},  // YEN SIGN
    {0x203E, 0x8150},  // OVERLINE
};

}  // namespace

char32_t Cp932Table::DecodeWithPlatform(uint16_t code) {
  char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  if (code < 0x100) return DecodeBytes(bytes + 1, 1);
  return DecodeBytes(bytes, 2);
}

Cp932Table::Cp932Table() : fromUnicode_(), valid_(), canonicalIbm_() {
  // Which double-byte codes exist: every one the platform decodes.
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!text::IsShiftJisLead(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!text::IsShiftJisTrail(static_cast<unsigned char>(trail))) continue;
      uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
      if (DecodeWithPlatform(code) != 0)
        valid_[code >> 3] |= static_cast<uint8_t>(1u << (code & 7));
    }
  }
  // Unicode -> CP932, keeping only results that are valid output: ASCII,
  // half-width katakana or a defined double-byte code.
  for (char32_t cp = 1; cp < 0x10000; ++cp) {
    if (cp < 0x80) {
      fromUnicode_[cp] = static_cast<uint16_t>(cp);
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    uint16_t code = EncodeWithPlatform(cp);
    bool ok = code >= 0x100 ? IsDoubleByte(code) : (code >= 0xA1 && code <= 0xDF);
    fromUnicode_[cp] = ok ? code : uint16_t{0};
  }
  for (const Fixup& f : kFixups) fromUnicode_[f.cp] = f.code;
  // The NEC-selected IBM duplicates (ED/EE) map to the IBM codes through Unicode.
  for (unsigned i = 0; i < 0x200; ++i) {
    uint16_t code = static_cast<uint16_t>(0xED00 + i);
    canonicalIbm_[i] = code;
    if (!IsDoubleByte(code)) continue;
    uint16_t back = FromUnicode(DecodeWithPlatform(code));
    if (back >= 0x100 && IsDoubleByte(back)) canonicalIbm_[i] = back;
  }
}

const Cp932Table& Cp932Table::Get() {
  static const Cp932Table table;
  return table;
}

}  // namespace nkf32
