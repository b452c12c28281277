// The output bound, truncation, the decoders against reference arithmetic, and
// use from several threads.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "Nkf32TestSupport.h"
#include "nkf32/Converter.h"
#include "nkf32/Cp932Table.h"
#include "nkf32/Decoders.h"
#include "nkf32/EncodingDetector.h"
#include "support/Utf8Text.h"

namespace {

using nkf32_test::Hex;

// Builds inputs from fragments of every encoding, MIME syntax and raw bytes,
// so random lines reach every decoder and every guess.
std::string RandomLine(std::mt19937& rng) {
  static const char* const kPieces[] = {
      "\xe3\x81\x82",
      "\xe6\x97\xa5",
      "\xef\xbd\xb6",
      "\xef\xbe\x9e",
      "\xf0\x9f\x98\x80",
      "\xef\xbb\xbf",
      "\x82\xa0",
      "\x95\x5c",
      "\xb6",
      "\xde",
      "\xdf",
      "\xed\x40",
      "\x87\x40",
      "\xa4\xa2",
      "\x8e\xb1",
      "\x8f\xb0\xa1",
      "\x1b$B",
      "\x1b(B",
      "\x1b(I",
      "\x1b$(D",
      "\x0e",
      "\x0f",
      "$\"",
      "=?",
      "?=",
      "=?UTF-8?B?",
      "=?ISO-2022-JP?Q?",
      "=?EUC-JP?B?",
      "44GC",
      "=1B",
      "=00",
      "AAAA",
      "%",
      "a",
      " ",
      "\t",
      "=",
      "?",
      "B",
  };
  std::uniform_int_distribution<int> count(0, 40);
  std::uniform_int_distribution<size_t> piece(0, sizeof kPieces / sizeof kPieces[0]);
  std::uniform_int_distribution<int> byte(1, 255);
  std::string s;
  for (int i = count(rng); i > 0; --i) {
    size_t k = piece(rng);
    if (k == sizeof kPieces / sizeof kPieces[0]) {
      s.push_back(static_cast<char>(byte(rng)));
    } else {
      s += kPieces[k];
    }
  }
  return s;
}

// Converts into a buffer with guard bytes after the 2n+1 the caller gives.
void CheckBound(const std::string& in, nkf32::ConvertOptions options) {
  const size_t cap = 2 * in.size() + 1;
  std::vector<char> buf(cap + 16, '\x55');
  bool complete = false;
  size_t n = nkf32::Converter(options).Convert(in.data(), in.size(), buf.data(), cap, &complete);
  ASSERT_TRUE(complete) << Hex(in);
  ASSERT_LT(n, cap) << Hex(in);
  ASSERT_EQ(buf[n], '\0') << Hex(in);
  for (size_t i = cap; i < buf.size(); ++i) ASSERT_EQ(buf[i], '\x55') << Hex(in);
  ASSERT_EQ(std::memchr(buf.data(), 0, n), nullptr) << Hex(in);
  ASSERT_TRUE(nkf32::Cp932Table::Get().IsValidText(buf.data(), n))
      << Hex(in) << " -> " << Hex(std::string(buf.data(), n));
}

TEST(OutputBound, RandomLinesFitTwiceTheirLengthAndAreValidCp932) {
  std::mt19937 rng(20261208);
  nkf32::ConvertOptions keep;
  keep.keepHalfwidthKana = true;
  for (int i = 0; i < 20000; ++i) {
    std::string line = RandomLine(rng);
    CheckBound(line, {});
    CheckBound(line, keep);
  }
}

TEST(OutputBound, WorstCasesReachButNeverPassTheBound) {
  struct {
    const char* name;
    std::string in;
    size_t wantSize;
  } cases[] = {
      {"half-width kana", std::string(1000, '\xb1'), 2000},
      {"bytes that fit nothing", std::string(1000, '\xff'), 2000},
      {"full-width b pairs, lone lead last", std::string(999, '\x82'), 1000},
      {"JIS katakana, one byte each", "\x1b(I" + std::string(997, '1'), 1994},
      {"SO katakana", "\x0e" + std::string(999, '1'), 1998},
      {"one byte", "\xff", 2},
  };
  for (const auto& c : cases) {
    CheckBound(c.in, {});
    EXPECT_EQ(nkf32_test::Convert(c.in).size(), c.wantSize) << c.name;
  }
}

// Convert guesses and decodes only the stretch between the first and the last
// non-ASCII byte and copies the ASCII around it; that must read exactly like
// guessing and decoding the whole line.
TEST(OutputBound, CopyingTheAsciiAroundGivesTheWholeLineReading) {
  std::mt19937 rng(99);
  const std::string frames[] = {"", "GET /q?x=", "a", "\t(", " HTTP/1.1\" 200 512", "\\"};
  std::uniform_int_distribution<size_t> frame(0, 5);
  int checked = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string line = frames[frame(rng)] + RandomLine(rng) + frames[frame(rng)];
    if (line.find("=?") != std::string::npos) continue;  // MIME words are read apart
    std::string got = nkf32_test::Convert(line);
    nkf32::Encoding e = nkf32::EncodingDetector::Detect(line.data(), line.size());
    std::vector<char> buf(2 * line.size() + 1);
    size_t n = nkf32::Converter().ConvertAs(e, line.data(), line.size(), buf.data(), buf.size());
    ASSERT_EQ(Hex(got), Hex(std::string(buf.data(), n))) << Hex(line);
    ++checked;
  }
  EXPECT_GT(checked, 2000) << "too few lines without MIME words";
}

TEST(Truncation, ShortBuffersGetAPrefixAndNeverASplitCharacter) {
  const std::string inputs[] = {
      "\xe3\x81\x82"
      "a\xef\xbd\xb6\xef\xbe\x9e"
      "b\xf0\x9f\x98\x80",
      std::string(50, '\xb1'),
      "=?UTF-8?B?44GC44GE?= x \x1b$B$\"\x1b(B",
  };
  for (const std::string& in : inputs) {
    const std::string full = nkf32_test::Convert(in);
    for (size_t cap = 0; cap <= full.size() + 1; ++cap) {
      std::vector<char> buf(cap + 8, '\x55');
      bool complete = true;
      size_t n = nkf32::Converter().Convert(in.data(), in.size(), buf.data(), cap, &complete);
      EXPECT_EQ(complete, cap > full.size()) << cap;
      if (cap == 0) {
        EXPECT_EQ(n, 0u);
        EXPECT_EQ(buf[0], '\x55');
        continue;
      }
      ASSERT_LT(n, cap);
      EXPECT_EQ(buf[n], '\0');
      EXPECT_EQ(buf[cap], '\x55');
      EXPECT_EQ(full.compare(0, n, buf.data(), n), 0) << cap;
      EXPECT_TRUE(nkf32::Cp932Table::Get().IsValidText(buf.data(), n)) << cap;
    }
  }
}

// Collects what a decoder reports.
struct Capture {
  std::vector<uint16_t> codes;
  int invalid = 0;
  bool Char(uint16_t c) {
    codes.push_back(c);
    return true;
  }
  bool Unmapped(char32_t) {
    codes.push_back(0x81AC);
    return true;
  }
  bool Invalid() {
    ++invalid;
    return true;
  }
};

using testsupport::Utf8Of;

TEST(Decoders, EveryDoubleByteCodeSurvivesEachEncoding) {
  const nkf32::Cp932Table& t = nkf32::Cp932Table::Get();
  int checked = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
      if (!t.IsDoubleByte(code)) continue;
      ++checked;
      uint16_t want = t.Canonical(code);
      std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
      std::vector<std::pair<nkf32::Encoding, std::string>> forms = {
          {nkf32::Encoding::kShiftJis, sjis}};
      if (lead <= 0xEF) {  // rows 1-94 exist in EUC-JP and ISO-2022-JP
        forms.push_back({nkf32::Encoding::kEucJp, nkf32_test::SjisToEuc(sjis)});
        forms.push_back({nkf32::Encoding::kIso2022Jp, nkf32_test::SjisToJis(sjis)});
      }
      char32_t cp = nkf32::Cp932Table::DecodeWithPlatform(code);
      forms.push_back({nkf32::Encoding::kUtf8, Utf8Of(cp)});
      for (const auto& f : forms) {
        Capture cap;
        const uint8_t* b = reinterpret_cast<const uint8_t*>(f.second.data());
        nkf32::decode::Run(f.first, b, b + f.second.size(), cap);
        ASSERT_EQ(cap.invalid, 0) << std::hex << code << " " << nkf32::EncodingName(f.first);
        ASSERT_EQ(cap.codes.size(), 1u) << std::hex << code << " " << nkf32::EncodingName(f.first);
        // Through Unicode a duplicate may come back as its preferred twin.
        uint16_t got = cap.codes[0];
        if (f.first == nkf32::Encoding::kUtf8) {
          EXPECT_EQ(got, t.FromUnicode(cp)) << std::hex << code;
          EXPECT_TRUE(t.IsDoubleByte(got)) << std::hex << code;
        } else {
          EXPECT_EQ(got, want) << std::hex << code << " " << nkf32::EncodingName(f.first);
        }
      }
    }
  }
  EXPECT_GT(checked, 7000);  // JIS X 0208 alone has 6879 characters
}

// The table comes from iconv on Linux and from WideCharToMultiByte(932) on
// Windows; after the fixed mappings both must be the same, code for code. The
// fingerprint was taken from both (glibc 2.36 and Wine 8.0).
TEST(Cp932Table, SameOnEveryPlatform) {
  const nkf32::Cp932Table& t = nkf32::Cp932Table::Get();
  uint64_t h = 1469598103934665603ull;  // FNV-1a over both directions
  auto mix = [&](unsigned v) {
    for (int i = 0; i < 2; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  int mapped = 0;
  for (unsigned cp = 0; cp < 0x10000; ++cp) {
    mix(t.FromUnicode(cp));
    mapped += t.FromUnicode(cp) != 0;
  }
  for (unsigned c = 0; c < 0x10000; ++c) {
    uint16_t code = static_cast<uint16_t>(c);
    mix(t.IsDoubleByte(code) ? t.Canonical(code) : 0);
  }
  EXPECT_EQ(mapped, 9405);
  EXPECT_EQ(h, 0xbb67a8ed151d51a9ull);
}

TEST(Threads, ConcurrentCallsGiveTheSameResults) {
  std::mt19937 rng(7);
  std::vector<std::string> lines;
  for (int i = 0; i < 500; ++i) lines.push_back(RandomLine(rng));
  std::vector<std::string> want;
  for (const std::string& l : lines) want.push_back(nkf32_test::Convert(l));
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (int k = 0; k < 4; ++k) {
    threads.emplace_back([&, k] {
      nkf32::ConvertOptions o;
      for (int round = 0; round < 20; ++round) {
        for (size_t i = 0; i < lines.size(); ++i) {
          std::vector<char> buf(2 * lines[i].size() + 1);
          size_t n =
              nkf32::Converter(o).Convert(lines[i].data(), lines[i].size(), buf.data(), buf.size());
          if (std::string(buf.data(), n) != want[i]) ++mismatches[k];
        }
      }
    });
  }
  for (auto& t : threads) t.join();
  for (int m : mismatches) EXPECT_EQ(m, 0);
}

}  // namespace
