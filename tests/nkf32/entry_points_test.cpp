// The exported entry points, loaded the way the program loads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Nkf32TestSupport.h"
#include "nkf32/nkf32.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using nkf32_test::Hex;

// Loads the built library by name (Windows: nkf32.dll beside the test) or by
// path (Linux) and looks up both entry points.
class EntryPoints : public ::testing::Test {
 protected:
  void SetUp() override {
#if defined(_WIN32)
    HMODULE h = LoadLibraryA("nkf32");
    ASSERT_NE(h, nullptr) << "LoadLibraryA(\"nkf32\") failed: " << GetLastError();
    // Through a generic function pointer: FARPROC's own type says nothing.
    using Generic = void (*)();
    setOption_ = reinterpret_cast<SetNkfOptionFn>(
        reinterpret_cast<Generic>(GetProcAddress(h, "SetNkfOption")));
    convert_ =
        reinterpret_cast<NkfConvertFn>(reinterpret_cast<Generic>(GetProcAddress(h, "NkfConvert")));
#else
    void* h = dlopen(NKF32_LIBRARY_PATH, RTLD_NOW);
    ASSERT_NE(h, nullptr) << dlerror();
    setOption_ = reinterpret_cast<SetNkfOptionFn>(dlsym(h, "SetNkfOption"));
    convert_ = reinterpret_cast<NkfConvertFn>(dlsym(h, "NkfConvert"));
#endif
    ASSERT_NE(setOption_, nullptr);
    ASSERT_NE(convert_, nullptr);
  }
  void TearDown() override {
    if (setOption_) setOption_("-s");  // leave the default for the next test
  }

  // Calls NkfConvert as the program does: a buffer of exactly 2n+1 bytes.
  std::string Call(const std::string& line) {
    std::vector<char> out(2 * line.size() + 1, '\x55');
    convert_(out.data(), line.c_str());
    return std::string(out.data());
  }

  SetNkfOptionFn setOption_ = nullptr;
  NkfConvertFn convert_ = nullptr;
};

TEST_F(EntryPoints, ConvertLinesToShiftJis) {
  EXPECT_EQ(setOption_("-s"), 0);
  struct {
    std::string in;
    std::string want;
  } cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"\xe6\x97\xa5\xe6\x9c\xac", "\x93\xfa\x96\x7b"},
      {"\xc6\xfc\xcb\xdc\xb8\xec", "\x93\xfa\x96\x7b\x8c\xea"},
      {"\x1b$BF|K\\\x1b(B", "\x93\xfa\x96\x7b"},
      {"\x93\xfa\x96\x7b", "\x93\xfa\x96\x7b"},
      {"\xb6\xde", "\x8b\xdc"},  // two bytes alone read likelier as EUC-JP 賭
      {"\xb6\xde\xb2\xc4\xde", "\x83\x4b\x83\x43\x83\x68"},
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(Call(c.in)), Hex(c.want)) << Hex(c.in);
}

TEST_F(EntryPoints, OptionsHoldForLaterCallsAndReplaceEarlierOnes) {
  const std::string kana = "\xb6\xde\xb2\xc4\xde";  // ｶﾞｲﾄﾞ in Shift_JIS
  const std::string wide = "\x83\x4b\x83\x43\x83\x68";
  struct {
    const char* option;
    std::string want;
  } cases[] = {
      {"-x", kana}, {"-s", wide},      {"-sx", kana}, {"s", wide}, {"-s -x", kana},
      {"-z", wide}, {"--fancy", wide}, {"x", kana},   {"", wide},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(setOption_(c.option), 0) << c.option;
    EXPECT_EQ(Hex(Call(kana)), Hex(c.want)) << c.option;
    EXPECT_EQ(Hex(Call(kana)), Hex(c.want)) << c.option << " (second call)";
  }
}

TEST_F(EntryPoints, NullPointersAreHarmless) {
  EXPECT_EQ(setOption_(nullptr), 0);
  convert_(nullptr, "abc");
  char out[4] = {'x', 'x', 'x', 'x'};
  convert_(out, nullptr);
  EXPECT_EQ(out[0], '\0');
}

TEST_F(EntryPoints, NoStateCarriesFromOneLineToTheNext) {
  // An unterminated ISO-2022-JP line, then a line that only ASCII can be.
  EXPECT_EQ(Hex(Call("\x1b$B$\"")), Hex("\x82\xa0"));
  EXPECT_EQ(Call("$\""), "$\"");
  // A line guessed as EUC-JP does not make the next one EUC-JP.
  EXPECT_EQ(Hex(Call("\xa4\xa2\xa4\xa4")), Hex("\x82\xa0\x82\xa2"));
  EXPECT_EQ(Hex(Call("\x82\xa0\x82\xa2")), Hex("\x82\xa0\x82\xa2"));
}

}  // namespace
