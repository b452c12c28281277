// ConvertLines: percent-decoding, line ends, the converter's buffer, and binding nkf32 at run
// time (a stand-in library built for the tests, loaded by path).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ReferenceFilters.h"
#include "binding/BindConverter.h"
#include "support/ExecutablePath.h"
#include "support/FilterCalls.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

std::string Convert(NkfConvertFn convert, const std::string& pane) {
  return PaneOf(ConvertLines(convert, pane.data(), pane.size()));
}

// Records every line the converter is handed, and copies it through.
std::string g_seen;
void NKF32_CALL RecordingConverter(char* out, const char* in) {
  g_seen += in;
  g_seen += '|';
  std::strcpy(out, in);
}

void NKF32_CALL CopyingConverter(char* out, const char* in) { std::strcpy(out, in); }

TEST(ConvertLines, PercentDecodesEveryLineBeforeConverting) {
  struct {
    const char* pane;
    const char* converted;
  } const cases[] = {
      {"%41%42", "AB\r\n"},
      {"a+b%20c", "a+b c\r\n"},
      {"%4G\n%4", "%4G\r\n%4\r\n"},
      {"%%41", "%A\r\n"},
      {"%2541", "%41\r\n"},
      {"%e3%81%82", "\xE3\x81\x82\r\n"},
      {"x%00yz\nb", "x\r\nb\r\n"},  // the converter reads up to the decoded NUL
      {"%41%", "A%\r\n"},
      // Inside a JIS two-byte segment '%' is a character's first byte (ス is 25 39), not an
      // escape; outside it and after the segment ends, decoding goes on.
      {"%41\x1b$B%90z%39\x1b(B%41", "A\x1b$B%90z%39\x1b(BA\r\n"},
      {"\x1b$(D%41\x1b(J%41", "\x1b$(D%41\x1b(JA\r\n"},
      // A percent-encoded escape sequence opens no segment: the whole line is encoded.
      {"%1B%24BF%7CK%5C%1B%28B", "\x1b$BF|K\\\x1b(B\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pane);
    EXPECT_EQ(Convert(RecordingConverter, c.pane), c.converted);
    EXPECT_EQ(Convert(nullptr, c.pane), c.converted);  // no converter: decoded lines as read
  }
}

TEST(ConvertLines, HandsEachLineAloneAndEndsEveryLineWithCrLf) {
  g_seen.clear();
  EXPECT_EQ(Convert(RecordingConverter, "a\r\n\r\nb\nc\r"), "a\r\n\r\nb\r\nc\r\r\n");
  EXPECT_EQ(g_seen, "a||b|c\r|");
  // The empty rest after a final line break is no line: a second run changes nothing more.
  g_seen.clear();
  EXPECT_EQ(Convert(RecordingConverter, "a\r\n"), "a\r\n");
  EXPECT_EQ(g_seen, "a|");
  EXPECT_EQ(Convert(RecordingConverter, "a"), "a\r\n");
  EXPECT_EQ(Convert(RecordingConverter, "a\n"), "a\r\n");
  EXPECT_EQ(Convert(RecordingConverter, "a\r\n\r\n"), "a\r\n\r\n");
  EXPECT_EQ(Convert(RecordingConverter, "\n"), "\r\n");
  EXPECT_EQ(Convert(nullptr, "a\r\n%41\n"), "a\r\nA\r\n");
  for (const std::string text : {"a\r\nb", "x\n\n", "\r\n\r\n", "%41\n%42"}) {
    const std::string once = Convert(RecordingConverter, text);
    EXPECT_EQ(Convert(RecordingConverter, once), once) << text;
  }
}

TEST(ConvertLines, AnEmptyPaneIsLeftAlone) {
  for (NkfConvertFn convert : {NkfConvertFn(nullptr), NkfConvertFn(RecordingConverter)}) {
    const ShownResult result = ConvertLines(convert, "", 0);
    EXPECT_EQ(result.pane, nullptr);
    EXPECT_FALSE(result.status.has_value());
    EXPECT_EQ(ConvertLines(convert, "\0a", 2).pane, nullptr);
  }
}

TEST(ConvertLines, CountsTheLinesItWritesAndShowsNoBox) {
  const ShownResult result = ConvertLines(RecordingConverter, "a%41", 4);
  EXPECT_EQ(PaneOf(result), "aA\r\n");
  EXPECT_EQ(result.status, filters::ShownTexts::Lines(1));
  EXPECT_FALSE(result.message.has_value());
  // A decoded %0A breaks a line of the new text: the count is of the text's line breaks.
  EXPECT_EQ(ConvertLines(nullptr, "a%0Ab\nc", 8).status, filters::ShownTexts::Lines(3));
}

// Doubles every byte: the converter's output may be twice the line.
void NKF32_CALL DoublingConverter(char* out, const char* in) {
  const size_t n = std::strlen(in);
  for (size_t i = 0; i < n; ++i) out[2 * i] = out[2 * i + 1] = in[i];
  out[2 * n] = '\0';
}

// A converter that fills the whole 2 * n + 1 bytes it is given and nothing more.
void NKF32_CALL FillingConverter(char* out, const char* in) {
  const size_t n = std::strlen(in);
  std::memset(out, 'x', 2 * n);
  out[2 * n] = '\0';
}
// One that forgets the NUL: the line is taken up to the end of its buffer, never beyond.
void NKF32_CALL UnterminatedConverter(char* out, const char* in) {
  const size_t n = std::strlen(in);
  std::memset(out, 'y', 2 * n + 1);
}

TEST(ConvertLines, GivesTheConverterTwiceTheDecodedLengthPlusOne) {
  EXPECT_EQ(Convert(FillingConverter, "abc\n%41\n\nlonger line"),
            "xxxxxx\r\nxx\r\n\r\n" + std::string(22, 'x') + "\r\n");
  EXPECT_EQ(
      Convert(UnterminatedConverter, "ab\nlong line\nc"),
      std::string(5, 'y') + "\r\n" + std::string(19, 'y') + "\r\n" + std::string(3, 'y') + "\r\n");
}

TEST(ConvertLines, TreatsEveryLineOfATextBeyondTheListLimit) {
  const std::string text = Repeated("a\n%62\n", 2250000);  // 4,500,001 lines
  const std::string expected = Repeated("a\r\nb\r\n", 2250000);
  EXPECT_TRUE(Convert(nullptr, text) == expected);
  EXPECT_TRUE(Convert(CopyingConverter, text) == expected);
}

TEST(ConvertLines, CutsAGrowingOutputAt40MillionBytesAsTheAppendsDo) {
  // Every 80-byte line doubles to 160 bytes and CR LF: 250,000 lines would give 40,500,002
  // bytes. Line 246,914 starts at 39,999,906 and keeps 94 bytes; later appends are refused.
  std::string line;
  for (int i = 0; i < 8; ++i) line += "abcdefghi" + std::to_string(i);
  const std::string text = Repeated(line + "\n", 250000);
  std::string doubled;
  for (char c : line) doubled += std::string(2, c);
  const std::string prefix = Repeated(doubled + "\r\n", 246000);
  B2String1 expected(prefix.data(), static_cast<int>(prefix.size()));
  expected.Reserve(B2String1::kMaxLength);  // past 20,000,000 every growth would copy it all
  for (int i = 246000; i < 250000; ++i) {
    expected.Append(doubled.data(), static_cast<int>(doubled.size()));
    expected.Append("\r\n");
  }
  ASSERT_EQ(expected.Length(), 40000000);
  const ShownResult result = ConvertLines(DoublingConverter, text.data(), text.size());
  ASSERT_NE(result.pane, nullptr);
  EXPECT_EQ(result.pane->Length(), 40000000);
  EXPECT_TRUE(result.pane->Equals(&expected));
  EXPECT_TRUE(result.cut);
  EXPECT_FALSE(ConvertLines(DoublingConverter, text.data(), text.size() / 2).cut);
}

// Where the stand-in libraries were built: a directory of their own beside the test program.
std::string BuiltLibrary(const char* directory) {
#ifdef _WIN32
  const char* name = "nkf32.dll";
#else
  const char* name = "libnkf32.so";
#endif
  return testsupport::ExecutableDirectory() + directory + testsupport::kSlash + name;
}

// Looks up an extra export of a stand-in library (it is already loaded, so this only adds a
// reference).
template <typename Fn>
Fn Export(const std::string& path, const char* name) {
#ifdef _WIN32
  HMODULE module = LoadLibraryA(path.c_str());
  return module == nullptr
             ? nullptr
             : reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
#else
  void* module = dlopen(path.c_str(), RTLD_NOW);
  return module == nullptr ? nullptr : reinterpret_cast<Fn>(dlsym(module, name));
#endif
}

TEST(ConverterBinding, BindsBothEntryPointsAndSetsShiftJisOutputOnce) {
  const std::string path = BuiltLibrary("fake_nkf32");
  const ConverterLibrary::EntryPoints bound = BindConverterAt(path.c_str());
  ASSERT_NE(bound.convert, nullptr) << path;
  ASSERT_NE(bound.setOption, nullptr);

  using OptionFn = const char* (*)();
  using CallsFn = int (*)();
  const auto option = Export<OptionFn>(path, "FakeNkfOption");
  const auto calls = Export<CallsFn>(path, "FakeNkfOptionCalls");
  ASSERT_NE(option, nullptr);
  ASSERT_NE(calls, nullptr);
  EXPECT_STREQ(option(), "-s");
  EXPECT_EQ(calls(), 1);

  B2String1 pane("ab%63\r\n\r\nxy");
  const ShownResult result = ConvertLines(bound.convert, pane);
  EXPECT_EQ(PaneOf(result), "<ABC>\r\n\r\n<XY>\r\n");
  EXPECT_EQ(calls(), 1);  // conversions never set the option again
}

TEST(ConverterBinding, RefusesALibraryThatLacksAnEntryPoint) {
  const std::string path = BuiltLibrary("half_nkf32");
  using CallsFn = int (*)();
  const auto calls = Export<CallsFn>(path, "FakeNkfOptionCalls");
  ASSERT_NE(calls, nullptr) << path;
  const ConverterLibrary::EntryPoints entries = ConverterLibrary::Load(path.c_str());
  EXPECT_EQ(entries.setOption, nullptr);
  EXPECT_EQ(entries.convert, nullptr);
  EXPECT_EQ(BindConverterAt(path.c_str()).convert, nullptr);
  EXPECT_EQ(calls(), 0);  // SetNkfOption is not called when NkfConvert is missing
}

TEST(ConverterBinding, AMissingLibraryBindsNothing) {
  const std::string path = BuiltLibrary("no_such_directory");
  const ConverterLibrary::EntryPoints entries = ConverterLibrary::Load(path.c_str());
  EXPECT_EQ(entries.setOption, nullptr);
  EXPECT_EQ(entries.convert, nullptr);
  EXPECT_EQ(BindConverterAt(path.c_str()).convert, nullptr);
  EXPECT_EQ(BindConverterAt(nullptr).convert, nullptr);
  EXPECT_EQ(BindConverterAt("").convert, nullptr);
}

}  // namespace
