// The linear search helpers, each against a plain scan, on small alphabets where periodic
// needles and near-misses are common, and on the inputs that make a naive search quadratic.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "StringModel.h"
#include "strings/ByteSearch.h"

namespace {

using stringmodel::Naive;

long Offset(const char* hit, const std::string& hay) {
  return hit ? static_cast<long>(hit - hay.data()) : -1;
}

TEST(ByteSearch, EveryVariantAgreesWithAPlainScan) {
  std::mt19937 rng(11);
  for (int i = 0; i < 20000; i++) {
    const int alphabet = 1 + static_cast<int>(rng() % 3);
    std::string hay(rng() % 64, 'a');
    for (auto& c : hay) c = static_cast<char>('a' + rng() % alphabet);
    std::string needle(1 + rng() % 9, 'a');
    for (auto& c : needle) c = static_cast<char>('a' + rng() % alphabet);
    if (rng() % 3 == 0 && hay.size() > 2) {
      size_t at = rng() % (hay.size() - 1);
      needle = hay.substr(at, 1 + rng() % (hay.size() - at));
    }
    const long first = Naive(hay, needle, false);
    const long last = Naive(hay, needle, true);
    const char* h = hay.data();
    const size_t n = hay.size(), m = needle.size();
    ASSERT_EQ(Offset(bytesearch::Find(h, n, needle.data(), m), hay), first) << hay << "/" << needle;
    ASSERT_EQ(Offset(bytesearch::FindPortable(h, n, needle.data(), m), hay), first)
        << hay << "/" << needle;
    ASSERT_EQ(Offset(bytesearch::TwoWayFind(h, n, needle.data(), m), hay), first)
        << hay << "/" << needle;
    ASSERT_EQ(Offset(bytesearch::FindLast(h, n, needle.data(), m), hay), last)
        << hay << "/" << needle;
    ASSERT_EQ(Offset(bytesearch::TwoWayFindLast(h, n, needle.data(), m), hay), last)
        << hay << "/" << needle;
  }
}

TEST(ByteSearch, HitsFarFromTheStartAreFoundAcrossScanWindows) {
  // The scans hand the C library growing windows; a hit straddling any window edge counts.
  const std::string needles[] = {"b", "ab", "bcd", std::string(40, 'c') + "d"};
  for (const std::string& needle : needles) {
    for (size_t at = 0; at < 6000; at += 1 + at / 7) {
      std::string hay(6000 + needle.size(), 'c');
      hay.replace(at, needle.size(), needle);
      const long first = Naive(hay, needle, false);
      const long last = Naive(hay, needle, true);
      ASSERT_EQ(Offset(bytesearch::Find(hay.data(), hay.size(), needle.data(), needle.size()), hay),
                first)
          << needle << " at " << at;
      ASSERT_EQ(
          Offset(bytesearch::FindLast(hay.data(), hay.size(), needle.data(), needle.size()), hay),
          last)
          << needle << " at " << at;
    }
  }
}

TEST(ByteSearch, FallbacksTakeOverOnCostlyCandidates) {
  // Every byte of the needle is common in the text and each candidate fails late, so the scans
  // must hand over to the linear searches and still give the right answer at both ends.
  std::string block = std::string(499, 'a') + "c";
  std::string hay;
  for (int i = 0; i < 600; i++) hay += block;
  const std::string needle(500, 'a');
  const std::string needle2(1000, 'a');
  for (const std::string& nd : {needle, needle2}) {
    EXPECT_EQ(bytesearch::Find(hay.data(), hay.size(), nd.data(), nd.size()), nullptr);
    EXPECT_EQ(bytesearch::FindPortable(hay.data(), hay.size(), nd.data(), nd.size()), nullptr);
    EXPECT_EQ(bytesearch::FindLast(hay.data(), hay.size(), nd.data(), nd.size()), nullptr);
  }
  // One exact match at each start in turn: the hand-over point must lose no candidate.
  std::string small;
  for (int i = 0; i < 14; i++) small += block;
  for (size_t at = 0; at + needle.size() < small.size(); at += 1 + at / 300) {
    std::string h = small;
    if (at > 0) h[at - 1] = 'c';
    h.replace(at, needle.size(), needle);
    h[at + needle.size()] = 'c';
    ASSERT_EQ(Naive(h, needle, false), static_cast<long>(at));
    ASSERT_EQ(Naive(h, needle, true), static_cast<long>(at));
    ASSERT_EQ(Offset(bytesearch::Find(h.data(), h.size(), needle.data(), needle.size()), h),
              static_cast<long>(at));
    ASSERT_EQ(Offset(bytesearch::FindPortable(h.data(), h.size(), needle.data(), needle.size()), h),
              static_cast<long>(at));
    ASSERT_EQ(Offset(bytesearch::FindLast(h.data(), h.size(), needle.data(), needle.size()), h),
              static_cast<long>(at));
  }
  // Candidates that fail on their last byte, with the match one step further on.
  const std::string spaced = std::string(499, 'e') + " ";
  for (size_t space = 499; space < 3000; space++) {
    std::string h(3000, 'e');
    h[space] = ' ';
    const long at = static_cast<long>(space - 499);
    ASSERT_EQ(Offset(bytesearch::Find(h.data(), h.size(), spaced.data(), spaced.size()), h), at);
    ASSERT_EQ(Offset(bytesearch::FindPortable(h.data(), h.size(), spaced.data(), spaced.size()), h),
              at);
    ASSERT_EQ(Offset(bytesearch::FindLast(h.data(), h.size(), spaced.data(), spaced.size()), h),
              at);
  }
  // Bytes above 0x7F order above ASCII in the factorisation, as unsigned values.
  std::string high = "\x80\xFF\x80\xFF\x7F\x80\xFF";
  std::string pat = "\xFF\x7F\x80";
  EXPECT_EQ(Offset(bytesearch::TwoWayFind(high.data(), high.size(), pat.data(), pat.size()), high),
            3);
  EXPECT_EQ(
      Offset(bytesearch::TwoWayFindLast(high.data(), high.size(), pat.data(), pat.size()), high),
      3);
}

// The forward searches (Find, raw and prepared, and FindPortable) against std::string::find
// from an offset into the text; bytes above 0x7F and NUL count like any other.
long FindFrom(int variant, const std::string& needle, const std::string& text, size_t from) {
  const char* h = text.data() + from;
  const size_t n = text.size() - from;
  const char* hit = nullptr;
  if (variant == 0) hit = bytesearch::Find(h, n, needle.data(), needle.size());
  if (variant == 1) hit = bytesearch::Find(h, n, bytesearch::Prepare(needle.data(), needle.size()));
  if (variant == 2) hit = bytesearch::FindPortable(h, n, needle.data(), needle.size());
  return Offset(hit, text);
}

TEST(ByteSearch, ForwardScansAgreeWithStringFindOnRandomBytes) {
  std::mt19937 rng(99);
  const char alphabet[] = {'a', 'b', '\0', '\x81', '\x5C'};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    std::string needle;
    const size_t textSize = rng() % 120;
    const size_t needleSize = 1 + rng() % (rng() % 8 == 0 ? 20 : 4);
    const size_t letters = 2 + rng() % 3;  // few letters: many partial matches
    for (size_t i = 0; i < textSize; ++i) text += alphabet[rng() % letters];
    for (size_t i = 0; i < needleSize; ++i) needle += alphabet[rng() % letters];
    const size_t from = text.empty() ? 0 : rng() % (text.size() + 1);
    const size_t found = text.find(needle, from);
    const long expected = found == std::string::npos ? -1 : static_cast<long>(found);
    for (int variant = 0; variant < 3; ++variant) {
      ASSERT_EQ(FindFrom(variant, needle, text, from), expected)
          << "variant " << variant << ", needle size " << needle.size() << ", text size "
          << text.size();
    }
  }
}

TEST(ByteSearch, ForwardScansStayExactWhereANaiveSearchIsQuadratic) {
  // Candidates at every position: the scans hand over to the linear search mid-text.
  const std::string run(200000, 'a');
  const std::string tailB = std::string(254, 'a') + "b";
  const std::string headB = "b" + std::string(254, 'a');
  const std::string sameEnds = std::string(253, 'a') + "ba";  // first and last bytes match
  std::string pairs;
  for (int i = 0; i < 20000; ++i) pairs += "ab";
  for (int variant = 0; variant < 3; ++variant) {
    EXPECT_EQ(FindFrom(variant, tailB, run, 0), -1);
    EXPECT_EQ(FindFrom(variant, tailB, run + "b", 0), static_cast<long>(run.size() - 254));
    EXPECT_EQ(FindFrom(variant, headB, run, 0), -1);
    EXPECT_EQ(FindFrom(variant, headB, "b" + run, 0), 0);
    EXPECT_EQ(FindFrom(variant, headB, run + "b" + run, 0), static_cast<long>(run.size()));
    EXPECT_EQ(FindFrom(variant, sameEnds, run, 0), -1);
    EXPECT_EQ(FindFrom(variant, sameEnds, run + sameEnds, 0), static_cast<long>(run.size()));
    EXPECT_EQ(FindFrom(variant, sameEnds, run + "b" + run, 0), static_cast<long>(run.size() - 253));
    EXPECT_EQ(FindFrom(variant, "abababababac", pairs + "ac", 0),
              static_cast<long>(pairs.size() - 10));
  }
}

TEST(ByteSearch, RefusesEmptyNeedlesAndShortTexts) {
  const std::string text = "abc";
  EXPECT_EQ(bytesearch::Find(text.data(), 3, "", 0), nullptr);
  EXPECT_EQ(bytesearch::Find(text.data(), 3, bytesearch::Prepare("", 0)), nullptr);
  EXPECT_EQ(bytesearch::FindLast(text.data(), 3, "", 0), nullptr);
  EXPECT_EQ(bytesearch::Find(text.data(), 2, "c", 1), nullptr);  // 'c' lies past the end
  EXPECT_EQ(bytesearch::Find(text.data(), 3, "c", 1), text.data() + 2);
  EXPECT_EQ(bytesearch::Find(text.data(), 3, "abcd", 4), nullptr);
}

TEST(ByteSearch, MeasureTextStopsAtNulOrTheLimit) {
  EXPECT_EQ(bytesearch::MeasureText("abc", 10), 3);
  EXPECT_EQ(bytesearch::MeasureText("abc", 2), 2);
  EXPECT_EQ(bytesearch::MeasureText("", 10), 0);
}

}  // namespace
