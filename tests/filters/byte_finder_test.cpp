// ByteFinder against std::string::find, both search methods, and on the inputs that make a
// naive search quadratic.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "filters/ByteFinder.h"

namespace {

const ByteFinder::Method kMethods[] = {ByteFinder::Method::kBest, ByteFinder::Method::kPortable};

size_t FindWith(ByteFinder::Method method, const std::string& pattern, const std::string& text,
                size_t from) {
  const ByteFinder finder(pattern.data(), pattern.size(), method);
  const char* hit = finder.Find(text.data() + from, text.data() + text.size());
  return hit == nullptr ? std::string::npos : static_cast<size_t>(hit - text.data());
}

TEST(ByteFinder, AgreesWithStringFindOnRandomBytes) {
  std::mt19937 rng(99);
  const char alphabet[] = {'a', 'b', '\0', '\x81', '\x5C'};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    std::string pattern;
    const size_t textSize = rng() % 120;  // past 16 + m bytes the SIMD scan runs
    const size_t patternSize = 1 + rng() % (rng() % 8 == 0 ? 20 : 4);
    const size_t letters = 2 + rng() % 3;  // few letters: many partial matches
    for (size_t i = 0; i < textSize; ++i) text += alphabet[rng() % letters];
    for (size_t i = 0; i < patternSize; ++i) pattern += alphabet[rng() % letters];
    const size_t from = text.empty() ? 0 : rng() % (text.size() + 1);
    const size_t expected =
        from + pattern.size() > text.size() ? std::string::npos : text.find(pattern, from);
    for (ByteFinder::Method method : kMethods) {
      ASSERT_EQ(FindWith(method, pattern, text, from), expected)
          << "pattern size " << pattern.size() << ", text size " << text.size();
    }
  }
}

TEST(ByteFinder, StaysExactWhereANaiveSearchIsQuadratic) {
  // The portable search hands over to KMP here; the result must not change.
  const std::string run(200000, 'a');
  const std::string tailB = std::string(254, 'a') + "b";
  const std::string headB = "b" + std::string(254, 'a');
  for (ByteFinder::Method method : kMethods) {
    EXPECT_EQ(FindWith(method, tailB, run, 0), std::string::npos);
    EXPECT_EQ(FindWith(method, tailB, run + "b", 0), run.size() - 254);
    EXPECT_EQ(FindWith(method, headB, run, 0), std::string::npos);
    EXPECT_EQ(FindWith(method, headB, "b" + run, 0), 0u);
    EXPECT_EQ(FindWith(method, headB, run + "b" + run, 0), run.size());
    // First and last bytes match everywhere: every position is a candidate.
    const std::string sameEnds = std::string(253, 'a') + "ba";
    EXPECT_EQ(FindWith(method, sameEnds, run, 0), std::string::npos);
    EXPECT_EQ(FindWith(method, sameEnds, run + sameEnds, 0), run.size());
    EXPECT_EQ(FindWith(method, sameEnds, run + "b" + run, 0), run.size() - 253);
    const std::string periodic = "abababababac";
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "ab";
    EXPECT_EQ(FindWith(method, periodic, text + "ac", 0), text.size() - 10);
  }
}

TEST(ByteFinder, RefusesEmptyPatternsAndRanges) {
  const std::string text = "abc";
  for (ByteFinder::Method method : kMethods) {
    const ByteFinder empty("", 0, method);
    EXPECT_EQ(empty.Find(text.data(), text.data() + 3), nullptr);
    const ByteFinder none(nullptr, 3, method);
    EXPECT_EQ(none.Find(text.data(), text.data() + 3), nullptr);
    const ByteFinder c("c", 1, method);
    EXPECT_EQ(c.Find(text.data(), text.data() + 2), nullptr);  // 'c' lies past the end
    EXPECT_EQ(c.Find(text.data() + 3, text.data()), nullptr);  // reversed range
    EXPECT_EQ(c.Find(text.data(), text.data() + 3), text.data() + 2);
  }
}

}  // namespace
