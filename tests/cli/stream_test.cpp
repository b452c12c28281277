// Streaming against the whole text: for random texts, block sizes down to one byte, short reads
// and lines longer than a block, every command's output and counts equal one core call on the
// whole text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "cli/LineBlocks.h"
#include "cli/StreamCommand.h"
#include "support/FilterCalls.h"

namespace {

using Kind = StreamCommand::Kind;

// Line breaks, lone CRs, Shift_JIS lead and trail bytes, '%' escapes and a rare NUL.
const char kTextBytes[] = {'a',    'b', 'a', '\r', '\n',   '\n',   '\x81', '\x5C',
                           '\x95', '%', '4', '1',  '\xE3', '\x81', '\x82'};
const char kSearchBytes[] = {'a', 'b', '\r', '\n', '\x5C', '\x81', '%'};

// A stand-in converter: every byte twice (fits the 2 * n + 1 bytes it is given).
void NKF32_CALL Doubling(char* out, const char* in) {
  for (; *in != '\0'; ++in) {
    *out++ = *in;
    *out++ = *in;
  }
  *out = '\0';
}

class Random {
 public:
  explicit Random(unsigned seed) : rng_(seed) {}
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

  std::string Text() {
    std::string text;
    const size_t pieces = Below(60);
    for (size_t i = 0; i < pieces; ++i) {
      if (Below(25) == 0) {
        text.append(Below(300), 'a');  // long lines, and room for long search texts
      } else if (Below(200) == 0) {
        text += '\0';
      } else {
        text += kTextBytes[Below(sizeof kTextBytes)];
      }
    }
    return text;
  }

  std::string Search() {
    if (Below(10) == 0) return std::string(250 + Below(12), 'a');  // past 255: refused
    std::string search;
    for (size_t i = 1 + Below(3); i > 0; --i) search += kSearchBytes[Below(sizeof kSearchBytes)];
    return search;
  }

 private:
  std::mt19937 rng_;
};

struct Streamed {
  std::string out;
  StreamCommand::Totals totals;
};

// Streams text through the command with reads of at most maxRead bytes.
Streamed Stream(const StreamCommand& command, const std::string& text, size_t blockSize,
                size_t maxRead, std::vector<std::string>* blocksSeen = nullptr) {
  size_t at = 0;
  LineBlocks blocks(
      [&](char* buffer, size_t size) -> long long {
        const size_t n = std::min({size, maxRead, text.size() - at});
        std::memcpy(buffer, text.data() + at, n);
        at += n;
        return static_cast<long long>(n);
      },
      blockSize);
  Streamed streamed;
  const auto write = [&](const char* data, size_t size) {
    streamed.out.append(data, size);
    if (blocksSeen != nullptr) blocksSeen->emplace_back(data, size);
    return true;
  };
  EXPECT_EQ(command.Run(blocks, write, streamed.totals), StreamCommand::Outcome::kDone);
  return streamed;
}

std::string PaneOf(const ShownResult& result) {
  return result.pane == nullptr
             ? std::string()
             : std::string(result.pane->Data(), static_cast<size_t>(result.pane->Length()));
}

TEST(Stream, EveryCommandGivesTheWholeTextsResult) {
  Random random(20261208);
  for (int round = 0; round < 3000; ++round) {
    const std::string text = random.Text();
    const std::string search = random.Search();
    const size_t blockSize = 1 + random.Below(random.Below(2) == 0 ? 8 : 64);
    const size_t coreLimit = blockSize + random.Below(40);  // longer lines skip the cores
    const size_t maxRead = 1 + random.Below(70);
    SCOPED_TRACE("round " + std::to_string(round) + ", block " + std::to_string(blockSize) +
                 ", core limit " + std::to_string(coreLimit) + ", read " + std::to_string(maxRead));
    const char* s = search.c_str();
    const char* t = text.data();
    const Matching m = random.Below(2) == 0 ? Matching::kCharacters : Matching::kBytes;
    const std::unique_ptr<filters::Matcher> matcher = MatcherFor(s, m);
    for (NkfConvertFn convert : {NkfConvertFn(nullptr), NkfConvertFn(Doubling)}) {
      StreamCommand command(Kind::kConvert, nullptr, convert);
      command.SetCoreLimit(coreLimit);
      const Streamed streamed = Stream(command, text, blockSize, maxRead);
      ASSERT_EQ(streamed.out, PaneOf(ConvertLines(convert, t, text.size())));
    }
    if (matcher == nullptr) {  // refused, as every filter refuses it
      ASSERT_EQ(PaneOf(Extract(s, t, text.size(), m)), "");
      continue;
    }
    const struct {
      Kind kind;
      ShownResult whole;
    } filters[] = {{Kind::kExtract, Extract(s, t, text.size(), m)},
                   {Kind::kDelete, Delete(s, t, text.size(), m)},
                   {Kind::kDeleteUpTo, DeleteUpTo(s, t, text.size(), m)}};
    for (const auto& f : filters) {
      StreamCommand command(f.kind, matcher.get(), nullptr);
      command.SetCoreLimit(coreLimit);
      const Streamed streamed = Stream(command, text, blockSize, maxRead);
      ASSERT_EQ(streamed.out, PaneOf(f.whole)) << static_cast<int>(f.kind);
      ASSERT_EQ(StreamCommand::FilterStatus(streamed.totals), f.whole.status.value_or("?"));
    }
    StreamCommand command(Kind::kCount, matcher.get(), nullptr);
    command.SetCoreLimit(coreLimit);
    const Streamed streamed = Stream(command, text, blockSize, maxRead);
    const ShownResult whole = CountMatches(s, t, text.size(), m);
    ASSERT_EQ(streamed.out, "");
    ASSERT_EQ(StreamCommand::CountLines(streamed.totals), whole.status.value_or("?"));
    ASSERT_EQ(StreamCommand::CountMatches(streamed.totals), whole.message.value_or("?"));
  }
}

TEST(Stream, BlocksHoldWholeLinesAndEndAtTheFirstNul) {
  Random random(7);
  for (int round = 0; round < 2000; ++round) {
    const std::string text = random.Text();
    const size_t blockSize = 1 + random.Below(32);
    size_t at = 0;
    LineBlocks blocks(
        [&](char* buffer, size_t size) -> long long {
          const size_t n = std::min({size, 1 + random.Below(50), text.size() - at});
          std::memcpy(buffer, text.data() + at, n);
          at += n;
          return static_cast<long long>(n);
        },
        blockSize);
    std::string joined;
    LineBlocks::Step step;
    while ((step = blocks.Next()) == LineBlocks::Step::kBlock) {
      const std::string block(blocks.Data(), blocks.Size());
      ASSERT_FALSE(block.empty());
      const size_t lineFeeds = static_cast<size_t>(std::count(block.begin(), block.end(), '\n'));
      // Several lines fit a block; a longer line comes alone; only the text's end lacks an LF.
      if (lineFeeds > 1) {
        ASSERT_LE(block.size(), blockSize);
      }
      ASSERT_TRUE(block.back() == '\n' ||
                  joined.size() + block.size() == std::strlen(text.c_str()));
      joined += block;
    }
    ASSERT_EQ(step, LineBlocks::Step::kEnd);
    ASSERT_EQ(joined, std::string(text.c_str()));  // up to the first NUL
    ASSERT_EQ(blocks.EndedAtNul(), text.find('\0') != std::string::npos);
  }
}

TEST(Stream, StopsAtAFailedWriteOrRead) {
  const std::string text = "a\nb\na\n";
  const std::unique_ptr<filters::Matcher> matcher = MatcherFor("a");
  StreamCommand command(Kind::kExtract, matcher.get(), nullptr);
  size_t at = 0;
  LineBlocks blocks(
      [&](char* buffer, size_t size) -> long long {
        (void)size;
        if (at == text.size()) {
          errno = EIO;
          return -1;
        }
        buffer[0] = text[at++];
        return 1;
      },
      2);
  int writes = 0;
  StreamCommand::Totals totals;
  EXPECT_EQ(command.Run(
                blocks, [&](const char*, size_t) { return ++writes < 2; }, totals),
            StreamCommand::Outcome::kWriteFailed);
  EXPECT_EQ(writes, 2);
  LineBlocks failing([&](char*, size_t) -> long long { return errno = EIO, -1; }, 4);
  EXPECT_EQ(command.Run(
                failing, [](const char*, size_t) { return true; }, totals),
            StreamCommand::Outcome::kReadFailed);
  EXPECT_EQ(failing.ErrorNumber(), EIO);
}

}  // namespace
