// Accuracy on real Japanese text and agreement with the nkf command.
//
// The lines come from the Japanese manual pages (Debian's manpages-ja) that the
// prior was NOT counted from: nkf32/tools/make_prior.py leaves out every page
// whose file name's byte sum is divisible by 5, and this test reads only those.
// Native only: it needs groff, iconv, the pages and the nkf command.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Nkf32TestSupport.h"
#include "nkf32/Cp932Table.h"
#include "nkf32/Decoders.h"

#if !defined(_WIN32)
#include <iconv.h>
#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using nkf32_test::Convert;
using nkf32_test::Hex;

const char kManDir[] = "/usr/share/man/ja";
const char kNkf[] = "/usr/bin/nkf";

bool HeldOut(const fs::path& p) {
  unsigned sum = 0;
  for (unsigned char c : p.filename().string()) sum += c;
  return sum % 5 == 0;
}

std::string RunShell(const std::string& cmd) {
  std::string out;
  FILE* f = popen(cmd.c_str(), "r");
  if (!f) return out;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  pclose(f);
  return out;
}

std::string TempPath(const char* what) {
  return (fs::temp_directory_path() / ("nkf32_test_" + std::to_string(getpid()) + "_" + what))
      .string();
}

void WriteFile(const std::string& path, const std::string& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
}

// Runs the nkf command once per line (it guesses per stream, so each line
// needs its own process), all from one shell; returns one output per line.
std::vector<std::string> RunNkfPerLine(const std::vector<std::string>& lines, const char* args) {
  std::string input;
  for (const std::string& l : lines) input += l + "\n";
  std::string file = TempPath("nkf_in");
  WriteFile(file, input);
  std::string out = RunShell(std::string("while IFS= read -r l; do printf '%s\\n' \"$l\" | ") +
                             kNkf + " " + args + "; done < " + file);
  std::remove(file.c_str());
  std::vector<std::string> result;
  size_t pos = 0;
  while (pos < out.size()) {
    size_t end = out.find('\n', pos);
    if (end == std::string::npos) end = out.size();
    result.push_back(out.substr(pos, end - pos));
    pos = end + 1;
  }
  return result;
}

// Strict conversion with iconv (from UTF-8 unless told); false when any
// character has no form.
bool Iconv(const std::string& in, const char* to, std::string* out, const char* from = "UTF-8") {
  // One descriptor per target, opened once and closed at exit.
  struct Descriptor {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    ~Descriptor() {
      if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
  };
  static std::map<std::string, Descriptor> open;
  iconv_t& cd = open[std::string(to) + "<" + from].cd;
  if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::vector<char> buf(in.size() * 4 + 16);
  char* ip = const_cast<char*>(in.data());
  size_t il = in.size();
  char* op = buf.data();
  size_t ol = buf.size();
  bool ok = iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) &&
            iconv(cd, nullptr, nullptr, &op, &ol) != static_cast<size_t>(-1);
  if (ok) out->assign(buf.data(), buf.size() - ol);
  return ok;
}

// One test line in every form, with the CP932 it must become.
struct Sample {
  std::string utf8;
  std::string sjis;
  std::string euc;
  std::string jis;
};

bool MakeSample(const std::string& utf8, Sample* s) {
  s->utf8 = utf8;
  return Iconv(utf8, "CP932", &s->sjis) && Iconv(utf8, "EUC-JP", &s->euc) &&
         Iconv(utf8, "ISO-2022-JP", &s->jis) && s->sjis.find("\x81\xac") == std::string::npos;
}

bool HasNonAscii(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c & 0x80; });
}

// Lines, Japanese words and single characters of the held-out pages.
struct Corpus {
  std::vector<Sample> lines;
  std::vector<Sample> words;
  std::vector<Sample> chars;  // every occurrence, so frequent ones count often
  int pages = 0;
};

const Corpus& HeldOutCorpus() {
  static const Corpus corpus = [] {
    Corpus c;
    // Only manpages-ja's own pages: other packages (help2man) put pages there too, which would
    // change the sample from machine to machine.
    std::set<std::string> own;
    const std::string listed = RunShell("dpkg-query -L manpages-ja 2>/dev/null");
    for (size_t at = 0, end; at < listed.size(); at = end + 1) {
      end = listed.find('\n', at);
      if (end == std::string::npos) end = listed.size();
      own.insert(listed.substr(at, end - at));
    }
    std::vector<fs::path> pages;
    for (const auto& e : fs::recursive_directory_iterator(kManDir)) {
      if (e.is_regular_file() && HeldOut(e.path()) &&
          (own.empty() || own.count(e.path().string()))) {
        pages.push_back(e.path());
      }
    }
    std::sort(pages.begin(), pages.end());
    // Every fourth held-out page keeps the rendering within a few seconds.
    std::string list;
    for (size_t i = 0; i < pages.size(); i += 4) {
      list += pages[i].string() + "\n";
      ++c.pages;
    }
    std::string file = TempPath("pages");
    WriteFile(file, list);
    std::string text = RunShell(
        "xargs -P2 -I{} sh -c 'zcat -f {} | groff -Tutf8 -mandoc -k "
        "-P-cbou 2>/dev/null' < " +
        file);
    std::remove(file.c_str());
    std::set<std::string> seenLines, seenWords;
    std::map<std::string, Sample> charSamples;
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      pos = end + 1;
      size_t a = line.find_first_not_of(' ');
      if (a == std::string::npos || !HasNonAscii(line)) continue;
      line = line.substr(a, line.find_last_not_of(' ') - a + 1);
      Sample s;
      if (!MakeSample(line, &s)) continue;
      if (seenLines.insert(line).second) c.lines.push_back(s);
      // Runs of non-ASCII characters are the words; each character on its own too.
      for (size_t k = 0; k < line.size();) {
        unsigned char b = static_cast<unsigned char>(line[k]);
        size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        if (b >= 0x80) {
          auto it = charSamples.find(line.substr(k, len));
          if (it == charSamples.end()) {
            Sample ch;
            bool ok = MakeSample(line.substr(k, len), &ch);
            it = charSamples.emplace(line.substr(k, len), ok ? ch : Sample()).first;
          }
          if (!it->second.utf8.empty()) c.chars.push_back(it->second);
          size_t w = k;
          while (w < line.size() && (static_cast<unsigned char>(line[w]) & 0x80)) ++w;
          if (k == 0 || !(static_cast<unsigned char>(line[k - 1]) & 0x80)) {
            Sample word;
            std::string u = line.substr(k, w - k);
            if (seenWords.insert(u).second && MakeSample(u, &word)) c.words.push_back(word);
          }
        }
        k += len;
      }
    }
    return c;
  }();
  return corpus;
}

bool CorpusAvailable(std::string* why) {
  if (!fs::is_directory(kManDir)) {
    *why = "the Japanese manual pages (manpages-ja) are not installed";
    return false;
  }
  if (RunShell("command -v groff").empty()) {
    *why = "groff is not installed";
    return false;
  }
  return true;
}

enum Form { kUtf8, kSjis, kEuc, kJis, kUrlUtf8, kUrlSjis, kUrlEuc, kForms };
const char* const kFormNames[kForms] = {"UTF-8",     "Shift_JIS",     "EUC-JP",    "ISO-2022-JP",
                                        "%XX UTF-8", "%XX Shift_JIS", "%XX EUC-JP"};

std::string Encoded(const Sample& s, Form f) {
  switch (f) {
    case kUtf8:
      return s.utf8;
    case kSjis:
      return s.sjis;
    case kEuc:
      return s.euc;
    case kJis:
      return s.jis;
    case kUrlUtf8:
      return nkf32_test::PercentEncode(s.utf8);
    case kUrlSjis:
      return nkf32_test::PercentEncode(s.sjis);
    case kUrlEuc:
      return nkf32_test::PercentEncode(s.euc);
    default:
      return {};
  }
}

// What the program does with a line: percent-decode, then convert. (The raw
// forms are not decoded: the pages hold '%' of their own.)
std::string Ours(const std::string& line, Form f) {
  return Convert(f >= kUrlUtf8 ? nkf32_test::PercentDecode(line) : line);
}

double Accuracy(const std::vector<Sample>& samples, Form f, std::vector<std::string>* misses) {
  if (samples.empty()) return 0;
  size_t right = 0;
  for (const Sample& s : samples) {
    std::string got = Ours(Encoded(s, f), f);
    if (got == s.sjis) {
      ++right;
    } else if (misses && misses->size() < 5) {
      misses->push_back(s.utf8 + " -> " + Hex(got));
    }
  }
  return 100.0 * static_cast<double>(right) / static_cast<double>(samples.size());
}

class RealText : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!CorpusAvailable(&why)) GTEST_SKIP() << why;
    ASSERT_GT(HeldOutCorpus().lines.size(), 1000u) << "too few held-out lines";
  }
};

TEST_F(RealText, LinesAndWordsAreRightInEveryEncoding) {
  const Corpus& c = HeldOutCorpus();
  std::printf("held-out pages %d: %zu lines, %zu words\n", c.pages, c.lines.size(), c.words.size());
  for (int f = 0; f < kForms; ++f) {
    std::vector<std::string> misses;
    double lines = Accuracy(c.lines, static_cast<Form>(f), &misses);
    double words = Accuracy(c.words, static_cast<Form>(f), &misses);
    std::printf("  %-14s lines %6.2f%%  words %6.2f%%\n", kFormNames[f], lines, words);
    EXPECT_GE(lines, 99.0) << kFormNames[f];
    EXPECT_GE(words, 99.0) << kFormNames[f];
    for (const std::string& m : misses) std::printf("    miss: %s\n", m.c_str());
  }
}
TEST_F(RealText, SingleCharactersAsTheyOccurAreRight) {
  const Corpus& c = HeldOutCorpus();
  std::printf("%zu character occurrences\n", c.chars.size());
  for (Form f : {kUtf8, kSjis, kEuc, kJis}) {
    std::vector<std::string> misses;
    double acc = Accuracy(c.chars, f, &misses);
    std::printf("  %-12s %6.2f%%\n", kFormNames[f], acc);
    EXPECT_GE(acc, 97.0) << kFormNames[f];
    for (const std::string& m : misses) std::printf("    miss: %s\n", m.c_str());
  }
}

// Lines where the nkf command gives the right text must come out right from us
// too; every other difference is counted by class.
TEST_F(RealText, AgreesWithNkfWhereverNkfIsRight) {
  if (access(kNkf, X_OK) != 0) GTEST_SKIP() << "the nkf command is not installed";
  const Corpus& c = HeldOutCorpus();
  struct Set {
    const char* name;
    const std::vector<Sample>* samples;
    size_t count;
  } sets[] = {{"lines", &c.lines, 100}, {"words", &c.words, 40}, {"chars", &c.chars, 40}};
  // NKF32_DIFF_SCALE=k asks k times as many of each, for a longer look by hand.
  const char* scaleEnv = std::getenv("NKF32_DIFF_SCALE");
  const size_t scale = scaleEnv ? std::max(1, std::atoi(scaleEnv)) : 1;
  for (Set& set : sets) set.count *= scale;
  int nkfRightOursWrong = 0;
  for (const Set& set : sets) {
    for (int f = 0; f < kForms; ++f) {
      const Form form = static_cast<Form>(f);
      // An even spread over the set, the same every run.
      std::vector<const Sample*> pick;
      size_t step = std::max<size_t>(1, set.samples->size() / set.count);
      for (size_t i = 0; i < set.samples->size() && pick.size() < set.count; i += step) {
        pick.push_back(&(*set.samples)[i]);
      }
      std::vector<std::string> inputs;
      for (const Sample* s : pick) inputs.push_back(Encoded(*s, form));
      std::vector<std::string> nkf = RunNkfPerLine(inputs, f >= kUrlUtf8 ? "-s --url-input" : "-s");
      ASSERT_EQ(nkf.size(), inputs.size()) << kFormNames[f];
      int both = 0, onlyOurs = 0, onlyNkf = 0, neither = 0, neitherAlike = 0;
      std::vector<std::string> examples;
      for (size_t i = 0; i < pick.size(); ++i) {
        bool oursOk = Ours(inputs[i], form) == pick[i]->sjis;
        bool nkfOk = nkf[i] == pick[i]->sjis;
        both += oursOk && nkfOk;
        onlyOurs += oursOk && !nkfOk;
        onlyNkf += !oursOk && nkfOk;
        neither += !oursOk && !nkfOk;
        neitherAlike += !oursOk && !nkfOk && Ours(inputs[i], form) == nkf[i];
        if (!oursOk && nkfOk) {
          ADD_FAILURE() << kFormNames[f] << " " << set.name
                        << ": nkf is right, we are not: " << pick[i]->utf8;
        }
        if (!nkfOk && examples.size() < 2) {
          examples.push_back(pick[i]->utf8 + " -> nkf " + Hex(nkf[i]) + ", ours " +
                             Hex(Ours(inputs[i], form)));
        }
      }
      nkfRightOursWrong += onlyNkf;
      std::printf(
          "  %-5s %-14s n=%3zu both right %3d, only ours %3d, only nkf %d, neither %d (%d alike)\n",
          set.name, kFormNames[f], pick.size(), both, onlyOurs, onlyNkf, neither, neitherAlike);
      for (const std::string& e : examples) std::printf("      nkf wrong: %s\n", e.c_str());
    }
  }
  EXPECT_EQ(nkfRightOursWrong, 0);
}

// Every position of the JIS X 0212 plane, through SS3 and through ESC $ ( D,
// becomes what glibc's EUC-JP-MS (or, where it has none, EUC-JP) reads there,
// as CP932, or 〓 where CP932 has no form or nothing is defined.
TEST(SupplementaryPlane, EveryPositionReadsAsIconvDoes) {
  int defined = 0, held = 0;
  for (unsigned row = 1; row <= 94; ++row) {
    for (unsigned cell = 1; cell <= 94; ++cell) {
      const std::string euc = {'\x8f', static_cast<char>(row + 0xA0),
                               static_cast<char>(cell + 0xA0)};
      const std::string jis =
          "\x1b$(D" + std::string{static_cast<char>(row + 0x20), static_cast<char>(cell + 0x20)};
      std::string utf8;
      bool ok = Iconv(euc, "UTF-8", &utf8, "EUC-JP-MS") || Iconv(euc, "UTF-8", &utf8, "EUC-JP");
      std::string want = ok ? nkf32_test::Utf8ToSjis(utf8) : "\x81\xac";
      defined += ok;
      held += want != "\x81\xac";
      char out[16];
      nkf32::Converter c;
      size_t n = c.ConvertAs(nkf32::Encoding::kEucJp, euc.data(), euc.size(), out, sizeof out);
      ASSERT_EQ(Hex(std::string(out, n)), Hex(want)) << "SS3 " << Hex(euc);
      n = c.ConvertAs(nkf32::Encoding::kIso2022Jp, jis.data(), jis.size(), out, sizeof out);
      ASSERT_EQ(Hex(std::string(out, n)), Hex(want)) << "ESC $ ( D " << Hex(jis);
    }
  }
  std::printf("JIS X 0212 plane: %d positions defined, %d with a CP932 form\n", defined, held);
  EXPECT_GT(defined, 6000);
  EXPECT_GT(held, 1000);  // the IBM extension kanji, symbols, user-defined
}

}  // namespace
#else
TEST(RealText, NativeOnly) {
  GTEST_SKIP() << "needs the Japanese manual pages, groff, iconv and the nkf command: "
                  "run natively on Linux";
}
#endif
