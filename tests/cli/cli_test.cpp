// linsift-cli end to end: the built program run as a subprocess on files and standard input,
// its outputs byte for byte, its exit statuses and its errors.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/ExecutablePath.h"
#include "support/TempFolder.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// Every file a test made, removed when it ends.
std::vector<std::string> g_made;

void WriteFile(const std::string& path, const std::string& bytes) {
  g_made.push_back(path);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

using testsupport::kSlash;

// linsift-cli lies in bin/ at the top of the build tree; this program in tests/cli/.
std::string CliPath() {
#ifdef _WIN32
  const char* name = "linsift-cli.exe";
#else
  const char* name = "linsift-cli";
#endif
  std::string dir = testsupport::ExecutableDirectory();          // tests/cli/
  dir = dir.substr(0, dir.find_last_of("/\\", dir.size() - 2));  // tests
  dir = dir.substr(0, dir.find_last_of("/\\"));                  // the build tree
  return dir + kSlash + "bin" + kSlash + name;
}

// The temporary directory without its trailing separator (a backslash before the closing quote
// would escape it on Windows).
std::string Directory() {
  const std::string dir = testing::TempDir();
  return dir.size() > 1 ? dir.substr(0, dir.size() - 1) : dir;
}

// A file name of this process's own: ctest may run several cases of this program at once.
std::string Temp(const char* name) {
#ifdef _WIN32
  const unsigned long pid = GetCurrentProcessId();
#else
  const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
  return testing::TempDir() + "linsift_cli_test_" + std::to_string(pid) + "_" + name;
}

// Runs linsift-cli with the arguments (already quoted where needed), standard input from the
// file stdinPath when given.
enum class Input { kRedirect, kPipe };

// The program at program; standard output to stdoutPath instead when given, through
// `redirect` (">" or ">>").
Outcome RunCliAt(const std::string& program, const std::string& args,
                 const std::string& stdinPath = std::string(), Input input = Input::kRedirect,
                 const std::string& stdoutPath = std::string(), const char* redirect = ">") {
  const std::string out = stdoutPath.empty() ? Temp("out") : stdoutPath;
  const std::string err = Temp("err");
  if (stdoutPath.empty()) g_made.push_back(out);
  g_made.push_back(err);
  std::string command = "\"" + program + "\" " + args;
  if (!stdinPath.empty() && input == Input::kRedirect) command += " < \"" + stdinPath + "\"";
#ifdef _WIN32
  const char* cat = "type";
#else
  const char* cat = "cat";
#endif
  if (!stdinPath.empty() && input == Input::kPipe) {
    command = std::string(cat) + " \"" + stdinPath + "\" | " + command;
  }
  command += std::string(" ") + redirect + " \"" + out + "\" 2> \"" + err + "\"";
  Outcome outcome;
#ifdef _WIN32
  // cmd /c strips one pair of quotes around the whole line. The command is UTF-8 (--utf8 tests
  // pass Japanese), so it goes through the wide call.
  command = "\"" + command + "\"";
  std::wstring wide(command.size() + 1, L'\0');
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(size > 0 ? static_cast<size_t>(size - 1) : 0);
  const int raw = _wsystem(wide.c_str());
#else
  const int raw = std::system(command.c_str());
#endif
#ifdef _WIN32
  outcome.status = raw;
#else
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  outcome.out = stdoutPath.empty() ? Slurp(out) : std::string();
  outcome.err = Slurp(err);
  return outcome;
}

Outcome RunCli(const std::string& args, const std::string& stdinPath = std::string(),
               Input input = Input::kRedirect) {
  return RunCliAt(CliPath(), args, stdinPath, input);
}

// Status texts as bytes: 全 = 91 53, 行 = 8D 73, 件 = 8C 8F.
std::string Lines(const char* n) { return std::string("\x91\x53") + n + "\x8D\x73"; }
std::string Matches(const char* n) { return std::string("\x91\x53") + n + "\x8C\x8F"; }

class Cli : public testing::Test {
 protected:
  void SetUp() override {
    fruit_ = Temp("fruit.txt");
    WriteFile(fruit_, "apple\r\nbanana\r\n");
  }
  void TearDown() override {
    for (const std::string& path : g_made) std::remove(path.c_str());
    g_made.clear();
  }
  std::string fruit_;
};

TEST_F(Cli, FiltersWriteTheTextToStdoutAndTheStatusToStderr) {
  struct {
    const char* command;
    const char* search;
    std::string out;
    std::string err;
  } const cases[] = {
      {"extract", "an", "banana\r\n", Lines("1") + "\n"},
      {"delete", "an", "apple\r\n", Lines("1") + "\n"},
      {"delete-up-to", "n", "apple\r\nnana\r\n", Lines("2") + "\n"},
      {"extract", "zz", "", Lines("0") + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const Outcome o = RunCli(std::string(c.command) + " " + c.search + " \"" + fruit_ + "\"");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, c.out);
    EXPECT_EQ(o.err, c.err);
  }
}

TEST_F(Cli, CountWritesItsTwoLinesToStdout) {
  const Outcome o = RunCli("count an \"" + fruit_ + "\"");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, Lines("3") + "\n" + Matches("1") + "\n");
  EXPECT_EQ(o.err, "");
}

TEST_F(Cli, ReadsStandardInputWhenThereIsNoFile) {
  const Outcome o = RunCli("extract an", fruit_);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "banana\r\n");
  const Outcome dash = RunCli("count a -", fruit_);
  EXPECT_EQ(dash.out, Lines("3") + "\n" + Matches("2") + "\n");
  const Outcome piped = RunCli("delete an", fruit_, Input::kPipe);
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out, "apple\r\n");
}

TEST_F(Cli, Utf8TakesTheSearchAsUtf8AndPrintsUtf8) {
  const std::string sjis = Temp("sjis.txt");
  WriteFile(sjis, "\x95\x5C\r\nabc\r\n\x95\x5C\x8E\xA6\r\n");                  // 表, abc, 表示
  const Outcome count = RunCli("count --utf8 \xE8\xA1\xA8 \"" + sjis + "\"");  // 表
  EXPECT_EQ(count.status, 0);
  EXPECT_EQ(count.out, "全4行\n全2件\n");
  const Outcome extract =
      RunCli("--utf8 extract \xE8\xA1\xA8\xE7\xA4\xBA \"" + sjis + "\"");  // 表示
  EXPECT_EQ(extract.out, "\x95\x5C\x8E\xA6\r\n");  // the text itself stays Shift_JIS
  EXPECT_EQ(extract.err, "全1行\n");
}

// "o" is the trail byte of 出 (8F 6F): only --bytes finds it there.
TEST_F(Cli, MatchesCharactersUnlessAskedForBytes) {
  const std::string file = Temp("trail.txt");
  WriteFile(file, "\x92\x8A\x8F\x6F\r\nfoo\r\n");  // 抽出, foo
  const Outcome chars = RunCli("count o \"" + file + "\"");
  EXPECT_EQ(chars.status, 0);
  EXPECT_EQ(chars.out, Lines("3") + "\n" + Matches("1") + "\n");
  const Outcome bytes = RunCli("--bytes count o \"" + file + "\"");
  EXPECT_EQ(bytes.out, Lines("3") + "\n" + Matches("2") + "\n");
  EXPECT_EQ(RunCli("extract o \"" + file + "\"").out, "foo\r\n");
  EXPECT_EQ(RunCli("delete --bytes o \"" + file + "\"").out, "");
}

TEST_F(Cli, TakesTheTextUpToItsFirstNulAndEndsEveryLineWithCrLf) {
  const std::string file = Temp("nul.txt");
  WriteFile(file, std::string("a\nxa\0a\n", 7));
  const Outcome o = RunCli("extract a \"" + file + "\"");
  EXPECT_EQ(o.out, "a\r\nxa\r\n");
  EXPECT_EQ(o.err, Lines("2") + "\n");
}

TEST_F(Cli, AnEmptyTextGivesNoTextAndNoStatus) {
  const std::string empty = Temp("empty.txt");
  WriteFile(empty, "");
  const Outcome e = RunCli("delete a \"" + empty + "\"");
  EXPECT_EQ(e.status, 0);
  EXPECT_EQ(e.out, "");
  EXPECT_EQ(e.err, "");
}

TEST_F(Cli, ConvertPercentDecodesEveryLine) {
  const std::string file = Temp("convert.txt");
  // 表 in UTF-8, escaped; ス引 in ISO-2022-JP, whose ス (25 39) must not be taken for an escape.
  WriteFile(file, "a%41\r\n%e8%a1%a8\r\n\x1b$B%90z\x1b(B%41\r\n");
  const Outcome o = RunCli("convert \"" + file + "\"");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "aA\r\n\x95\x5C\r\n\x83\x58\x88\xF8"
            "A\r\n");
  EXPECT_EQ(o.err, "");  // nkf32 is found beside the program; the status is not touched
  const Outcome decodeOnly = RunCli("convert --no-converter \"" + file + "\"");
  EXPECT_EQ(decodeOnly.status, 0);
  EXPECT_EQ(decodeOnly.out, "aA\r\n\xE8\xA1\xA8\r\n\x1b$B%90z\x1b(BA\r\n");
}

TEST_F(Cli, SeveralFilesAreTextsOfTheirOwnAndAFailedOneIsNamed) {
  const std::string other = Temp("other.txt");
  WriteFile(other, "cat\nant");  // no final line break: its last line still ends with CR LF
  const std::string missing = Temp("missing.txt");
  const Outcome o =
      RunCli("extract a \"" + fruit_ + "\" \"" + missing + "\" - \"" + other + "\"", other);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "apple\r\nbanana\r\ncat\r\nant\r\ncat\r\nant\r\n");
  EXPECT_EQ(o.err, fruit_ + ":" + Lines("2") + "\n" + "linsift-cli: " + missing +
                       ": no such file\n(standard input):" + Lines("2") + "\n" + other + ":" +
                       Lines("2") + "\n");

  const Outcome count =
      RunCli("count a \"" + fruit_ + "\" \"" + Directory() + "\" \"" + other + "\"");
  EXPECT_EQ(count.status, 1);
  EXPECT_EQ(count.out, fruit_ + ":" + Lines("3") + " " + Matches("2") + "\n" + other + ":" +
                           Lines("2") + " " + Matches("2") + "\n" + Lines("5") + "\n" +
                           Matches("4") + "\n");
  EXPECT_NE(count.err.find("is a directory"), std::string::npos) << count.err;
}

TEST_F(Cli, DoubleDashEndsTheOptions) {
  const std::string dashed = Temp("dashed.txt");
  WriteFile(dashed, "--utf8\r\n-x\r\n");
  const Outcome o = RunCli("extract -- --utf8 \"" + dashed + "\"");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "--utf8\r\n");
  const Outcome count = RunCli("--utf8 count -- -x -", dashed);
  EXPECT_EQ(count.out, "全3行\n全1件\n");
}

TEST_F(Cli, LinesLongerThanABlockStayWhole) {
  const std::string file = Temp("long.txt");
  const std::string longLine = std::string(5000, 'x') + "key=" + std::string(3000, 'v');
  WriteFile(file, "a=1\n" + longLine + "\r\n\nb\n" + longLine);
  const Outcome o = RunCli("--block-size=7 delete-up-to key= \"" + file + "\"");
  EXPECT_EQ(o.status, 0);
  const std::string cut = "key=" + std::string(3000, 'v') + "\r\n";
  EXPECT_EQ(o.out, "a=1\r\n" + cut + "b\r\n" + cut);
  EXPECT_EQ(o.err, Lines("4") + "\n");
}

#ifndef _WIN32
// Large streams and the failures only Linux makes easy to cause.
TEST_F(Cli, ThreeGigabytesThroughAPipe) {
  // 3,000,000,000 empty lines: counts past what an int holds, in constant memory.
  const std::string empty = std::string("yes '' | head -c 3000000000 | \"") + CliPath() +
                            "\" count x > \"" + Temp("count") + "\"";
  g_made.push_back(Temp("count"));
  ASSERT_EQ(std::system(empty.c_str()), 0);
  EXPECT_EQ(Slurp(Temp("count")), Lines("3000000001") + "\n" + Matches("0") + "\n");

  // A sparse file: a line, then NULs to 3 GB. The text ends at the first NUL, so reading
  // stops there, as the window would take the file.
  const std::string sparse = Temp("sparse.txt");
  WriteFile(sparse, "abc\n");
  ASSERT_EQ(std::system(("truncate -s 3G \"" + sparse + "\"").c_str()), 0);
  const Outcome o = RunCli("extract b", sparse, Input::kPipe);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "abc\r\n");
  EXPECT_EQ(o.err, Lines("1") + "\n");
}

TEST_F(Cli, AResultThatCannotBeWrittenIsAnError) {
  const Outcome o =
      RunCliAt(CliPath(), "extract a \"" + fruit_ + "\"", "", Input::kRedirect, "/dev/full");
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("cannot write to standard output"), std::string::npos) << o.err;
  const Outcome count =
      RunCliAt(CliPath(), "count a \"" + fruit_ + "\"", "", Input::kRedirect, "/dev/full");
  EXPECT_EQ(count.status, 1);
}

TEST_F(Cli, FileNamesAreWrittenAsGivenAndOnlyTheCountsAsUtf8) {
  // é.txt in UTF-8: its bytes C3 A9 are also two half-width katakana in Shift_JIS.
  const std::string named = Temp("\xC3\xA9.txt");
  WriteFile(named, "a\n");
  const Outcome o = RunCli("--utf8 count a \"" + named + "\" \"" + fruit_ + "\"");
  EXPECT_EQ(o.out.substr(0, o.out.find('\n')), named + ":全2行 全1件");
}

// Missing, empty and without the entry points: each named, and told apart.
TEST_F(Cli, ConvertWithoutTheConverterIsAnErrorUnlessAskedFor) {
  const TempFolder folder("cli_converter");
  const std::string alone = folder.PathOf("linsift-cli");
  ASSERT_EQ(std::system(("cp \"" + CliPath() + "\" \"" + alone + "\"").c_str()), 0);
  const std::string library = folder.PathOf("libnkf32.so");
  const std::string file = Temp("convert.txt");
  WriteFile(file, "a%41\n");
  Outcome o = RunCliAt(alone, "convert \"" + file + "\"");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_NE(o.err.find("nkf32 not found"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find(library + " is missing"), std::string::npos) << o.err;
  o = RunCliAt(alone, "convert --no-converter \"" + file + "\"");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "aA\r\n");

  // An empty file, then a real library without the two entry points.
  folder.Write("libnkf32.so", "");
  for (int kind = 0; kind < 2; ++kind) {
    o = RunCliAt(alone, "convert \"" + file + "\"");
    EXPECT_EQ(o.status, 1) << kind;
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find(library + " is not a converter"), std::string::npos) << o.err;
    ASSERT_EQ(std::system(("cp \"$(ldd \"" + CliPath() +
                           "\" | grep -o '/[^ ]*libm\\.so[^ ]*')\" \"" + library + "\"")
                              .c_str()),
              0);
  }
}
#endif

// An input that is the output itself (>> onto it) is named and skipped, or it would grow
// without end; the other inputs are still done.
TEST_F(Cli, AnInputThatIsTheOutputIsSkipped) {
  const std::string other = Temp("other.txt");
  WriteFile(other, "an\n");
  for (const std::string& args :
       {"extract a \"" + fruit_ + "\"", "extract a \"" + other + "\" \"" + fruit_ + "\""}) {
    const Outcome o = RunCliAt(CliPath(), args, "", Input::kRedirect, fruit_, ">>");
    EXPECT_EQ(o.status, 1) << args;
    EXPECT_NE(o.err.find(fruit_ + ": input file is also the output"), std::string::npos) << o.err;
  }
  EXPECT_EQ(Slurp(fruit_), "apple\r\nbanana\r\nan\r\n");  // other's line, appended once
#ifndef _WIN32
  // Standard input too (Wine's cmd cannot open one file for both redirections).
  const Outcome piped = RunCliAt(CliPath(), "extract a", fruit_, Input::kRedirect, fruit_, ">>");
  EXPECT_EQ(piped.status, 1);
  EXPECT_NE(piped.err.find("(standard input): input file is also the output"), std::string::npos)
      << piped.err;
  EXPECT_EQ(Slurp(fruit_), "apple\r\nbanana\r\nan\r\n");
#endif
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
  const std::string longSearch(256, 'a');
  const std::string cases[] = {"",
                               "frobnicate a",
                               "extract",
                               "--bogus count a",
                               "--block-size=0 count a",
                               "extract \"\" \"" + fruit_ + "\"",
                               "count \"\" \"" + fruit_ + "\"",
                               "count " + longSearch + " \"" + fruit_ + "\"",
                               "extract " + longSearch + " \"" + fruit_ + "\"",
                               "delete " + longSearch + " \"" + fruit_ + "\"",
                               "delete-up-to " + longSearch + " \"" + fruit_ + "\""};
  for (const std::string& args : cases) {
    SCOPED_TRACE(args);
    const Outcome o = RunCli(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("usage:"), std::string::npos);
  }
  // 255 bytes are the most a search text holds; a longer one is refused, never cut.
  EXPECT_EQ(RunCli("extract " + longSearch.substr(1) + " \"" + fruit_ + "\"").status, 0);
  const Outcome help = RunCli("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"usage:", "--utf8", "--no-converter", "--block-size", "--help"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

}  // namespace
