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

Outcome RunCli(const std::string& args, const std::string& stdinPath = std::string(),
               Input input = Input::kRedirect) {
  const std::string out = Temp("out");
  const std::string err = Temp("err");
  g_made.push_back(out);
  g_made.push_back(err);
  std::string command = "\"" + CliPath() + "\" " + args;
  if (!stdinPath.empty() && input == Input::kRedirect) command += " < \"" + stdinPath + "\"";
#ifdef _WIN32
  const char* cat = "type";
#else
  const char* cat = "cat";
#endif
  if (!stdinPath.empty() && input == Input::kPipe) {
    command = std::string(cat) + " \"" + stdinPath + "\" | " + command;
  }
  command += " > \"" + out + "\" 2> \"" + err + "\"";
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
  outcome.out = Slurp(out);
  outcome.err = Slurp(err);
  return outcome;
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

TEST_F(Cli, TakesTheTextUpToItsFirstNulAndEndsEveryLineWithCrLf) {
  const std::string file = Temp("nul.txt");
  WriteFile(file, std::string("a\nxa\0a\n", 7));
  const Outcome o = RunCli("extract a \"" + file + "\"");
  EXPECT_EQ(o.out, "a\r\nxa\r\n");
  EXPECT_EQ(o.err, Lines("2") + "\n");
}

TEST_F(Cli, LeavesTheTextAsItWasWhenTheCommandDoesNothing) {
  const Outcome o = RunCli("extract \"\" \"" + fruit_ + "\"");  // an empty search text
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "apple\r\nbanana\r\n");
  EXPECT_EQ(o.err, "");
  const std::string empty = Temp("empty.txt");
  WriteFile(empty, "");
  const Outcome e = RunCli("delete a \"" + empty + "\"");
  EXPECT_EQ(e.status, 0);
  EXPECT_EQ(e.out, "");
  const Outcome c = RunCli("count \"\" \"" + fruit_ + "\"");
  EXPECT_EQ(c.status, 0);
  EXPECT_EQ(c.out, "");
  EXPECT_NE(c.err.find("nothing counted"), std::string::npos);
}

TEST_F(Cli, ConvertPercentDecodesEveryLine) {
  const std::string file = Temp("convert.txt");
  WriteFile(file, "a%41\r\n%e8%a1%a8\r\n");  // 表 in UTF-8, escaped
  const Outcome o = RunCli("convert \"" + file + "\"");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "aA\r\n\x95\x5C\r\n");
  EXPECT_EQ(o.err, "");  // nkf32 is found beside the program; the status is not touched
}

TEST_F(Cli, RefusesWhatItCannotReadWithOneClearLine) {
  const std::string big = Temp("big.txt");
  WriteFile(big, std::string(40000001, 'a'));
  const std::string exact = Temp("exact.txt");
  WriteFile(exact, std::string(40000000, 'a'));
  struct {
    std::string args;
    std::string stdinPath;
    const char* reason;
  } const cases[] = {
      {"extract a \"" + Temp("missing.txt") + "\"", "", "no such file"},
      {"extract a \"" + Directory() + "\"", "", "is a directory"},
      {"count a \"" + big + "\"", "", "larger than 40,000,000 bytes"},
      {"count a", big, "larger than 40,000,000 bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome o = RunCli(c.args, c.stdinPath);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find(c.reason), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line: " << o.err;
  }
  const Outcome fits = RunCli("count a \"" + exact + "\"");
  EXPECT_EQ(fits.status, 0);
  EXPECT_EQ(fits.out, Lines("1") + "\n" + Matches("1") + "\n");

  // Through a pipe the size is not known in advance: the cap is found while reading.
  const Outcome pipedBig = RunCli("count a", big, Input::kPipe);
  EXPECT_EQ(pipedBig.status, 1);
  EXPECT_EQ(pipedBig.out, "");
  EXPECT_NE(pipedBig.err.find("standard input: larger than 40,000,000 bytes"), std::string::npos)
      << pipedBig.err;
  const Outcome pipedExact = RunCli("count a", exact, Input::kPipe);
  EXPECT_EQ(pipedExact.status, 0);
  EXPECT_EQ(pipedExact.out, Lines("1") + "\n" + Matches("1") + "\n");
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
  const char* const cases[] = {
      "", "frobnicate a", "extract", "count a b c", "--bogus count a", "convert a b"};
  for (const char* args : cases) {
    SCOPED_TRACE(args);
    const Outcome o = RunCli(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("usage:"), std::string::npos);
  }
  const Outcome help = RunCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage:"), std::string::npos);
}

}  // namespace
