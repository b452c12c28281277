// linsift-cli: the line filters and the conversion over files and pipes of any size, for
// scripts, benchmarks and fanning out. The same cores as the window; the texts it prints are
// the window's.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "binding/BindConverter.h"
#include "cli/InputFile.h"
#include "cli/LineBlocks.h"
#include "cli/StreamCommand.h"
#include "cli/TerminalText.h"
#include "filters/Matcher.h"
#include "text/Limits.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

const char kUsage[] =
    "usage: linsift-cli [OPTION]... extract|delete|delete-up-to|count SEARCH [FILE]...\n"
    "       linsift-cli [OPTION]... convert [FILE]...\n"
    "\n"
    "Reads each FILE in turn, '-' meaning standard input (also when no FILE is given), and\n"
    "treats each as one text, as Linsift holds a loaded file: a text ends at its end or at\n"
    "its first NUL byte, whichever comes first. Any size works: the text is read and written\n"
    "in blocks of whole lines, and the output is byte for byte what one pass over the whole\n"
    "text gives.\n"
    "\n"
    "  extract       keep the lines that contain SEARCH\n"
    "  delete        keep the non-empty lines that do not contain SEARCH\n"
    "  delete-up-to  cut every line in front of the first SEARCH, drop empty lines\n"
    "  count         print the number of lines and of lines that contain SEARCH\n"
    "  convert       percent-decode every line and convert it to Shift_JIS with nkf32\n"
    "\n"
    "The filters and convert write the new text to standard output and the status line\n"
    "(\"NAME:\" in front with several FILEs) to standard error. count writes its two lines to\n"
    "standard output; with several FILEs one line per file, \"NAME:LINES MATCHES\", and then\n"
    "the two lines of the totals. Every written line ends with CR LF. SEARCH must be 1 to\n"
    "255 bytes long (a longer one is refused, never cut). An\n"
    "occurrence counts only where it starts and ends on character boundaries of its line\n"
    "(a line that is valid UTF-8 is read as UTF-8, any other as Shift_JIS), so '\\' does not\n"
    "match the second byte of a Shift_JIS character; --bytes counts every byte match.\n"
    "\n"
    "Options (anywhere before '--'; '--' ends them, so a FILE or SEARCH may start with '-'):\n"
    "  --utf8             take SEARCH as UTF-8 and print the status and count lines in UTF-8\n"
    "                       linsift-cli --utf8 extract 東京 access.log > tokyo.log\n"
    "  --bytes            match SEARCH byte for byte, inside two-byte characters too\n"
    "                       linsift-cli --bytes count '\\' paths.txt\n"
    "  --no-converter     convert: percent-decode only, without loading nkf32 (without this,\n"
    "                     a missing nkf32 is an error)\n"
    "                       linsift-cli convert --no-converter urls.txt\n"
    "  --block-size=BYTES read blocks of BYTES (default 1048576, at most 16777216); memory\n"
    "                     is about three times that plus the longest line (three times\n"
    "                     the longest line for convert)\n"
    "                       linsift-cli --block-size=65536 count error app.log\n"
    "  -h, --help         show this help\n"
    "\n"
    "Examples:\n"
    "  linsift-cli count -- -v a.log b.log     count lines holding '-v' in two files\n"
    "  zcat big.log.gz | linsift-cli delete-up-to = - > values.txt\n"
    "  parallel --pipepart --block 64M -k -a big.log linsift-cli extract SEARCH > out.txt\n"
    "\n"
    "Exit status: 0 done; 1 a FILE could not be read or is the output itself (the others are\n"
    "still done), the output could not be written, or nkf32 is missing or no converter for\n"
    "convert; 2 usage error.\n";

constexpr size_t kDefaultBlockSize = size_t{1} << 20;  // blocks stay in the cache between passes

struct Arguments {
  StreamCommand::Kind kind = StreamCommand::Kind::kExtract;
  bool utf8 = false;
  bool noConverter = false;
  bool bytes = false;
  bool help = false;
  size_t blockSize = kDefaultBlockSize;
  int searchIndex = -1;  // index in argv of SEARCH
  std::string search;
  std::vector<std::string> files;
};

bool ParseCommand(const char* name, StreamCommand::Kind& kind) {
  using Kind = StreamCommand::Kind;
  static const struct {
    const char* name;
    Kind kind;
  } kCommands[] = {{"extract", Kind::kExtract},
                   {"delete", Kind::kDelete},
                   {"delete-up-to", Kind::kDeleteUpTo},
                   {"count", Kind::kCount},
                   {"convert", Kind::kConvert}};
  for (const auto& entry : kCommands) {
    if (std::strcmp(name, entry.name) == 0) {
      kind = entry.kind;
      return true;
    }
  }
  return false;
}

// One option; false with a reason when it is unknown or its value is bad.
bool ParseOption(const char* arg, Arguments& args, std::string& error) {
  static const char kBlockSize[] = "--block-size=";
  if (std::strcmp(arg, "--utf8") == 0) {
    args.utf8 = true;
  } else if (std::strcmp(arg, "--no-converter") == 0) {
    args.noConverter = true;
  } else if (std::strcmp(arg, "--bytes") == 0) {
    args.bytes = true;
  } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
    args.help = true;
  } else if (std::strncmp(arg, kBlockSize, sizeof kBlockSize - 1) == 0) {
    const char* value = arg + sizeof kBlockSize - 1;
    char* rest = nullptr;
    errno = 0;
    const unsigned long long size = std::strtoull(value, &rest, 10);
    if (*value < '0' || *value > '9' || *rest != '\0' || errno != 0 || size == 0 ||
        size > StreamCommand::kCoreLimit) {
      error = std::string("--block-size takes a number of bytes from 1 to ") +
              std::to_string(StreamCommand::kCoreLimit);
      return false;
    }
    args.blockSize = static_cast<size_t>(size);
  } else {
    error = std::string("unknown option '") + arg + "'";
    return false;
  }
  return true;
}

// False with a reason for a usage error.
bool Parse(int argc, char** argv, Arguments& args, std::string& error) {
  std::vector<int> operands;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!optionsEnded && std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded && arg[0] == '-' && arg[1] != '\0' &&
               (arg[1] == '-' || std::strcmp(arg, "-h") == 0)) {
      if (!ParseOption(arg, args, error)) return false;
    } else {
      operands.push_back(i);
    }
  }
  if (args.help) return true;
  if (operands.empty()) {
    error = "missing command";
    return false;
  }
  const char* name = argv[operands[0]];
  if (!ParseCommand(name, args.kind)) {
    error = std::string("unknown command '") + name + "'";
    return false;
  }
  size_t next = 1;
  if (args.kind != StreamCommand::Kind::kConvert) {
    if (operands.size() < 2) {
      error = std::string(name) + ": missing SEARCH";
      return false;
    }
    args.searchIndex = operands[next++];
    args.search = argv[args.searchIndex];
  }
  for (; next < operands.size(); ++next) args.files.push_back(argv[operands[next]]);
  if (args.files.empty()) args.files.push_back("-");
  return true;
}

// Writes all bytes to the file descriptor; false with errno set when it refuses them.
bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
#ifdef _WIN32
    const int chunk = static_cast<int>(size < (1u << 30) ? size : (1u << 30));
    const int put = _write(fd, data, static_cast<unsigned>(chunk));
#else
    const ssize_t put = ::write(fd, data, size);
#endif
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = EIO;
      return false;
    }
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

// Writes the program's text (Shift_JIS; UTF-8 with --utf8) behind prefix (a file name, bytes as
// given), and a line break.
bool WriteLine(int fd, const std::string& text, bool utf8, const std::string& prefix = "") {
  const std::string shown = prefix + (utf8 ? TerminalText::ShiftJisToUtf8(text) : text) + "\n";
  return WriteAll(fd, shown.data(), shown.size());
}

// A usage error: the reason and the two usage lines.
int Usage(const std::string& message) {
  const char* options = std::strstr(kUsage, "\n\n");
  std::fprintf(stderr, "linsift-cli: %s\n%.*slinsift-cli --help tells more.\n", message.c_str(),
               static_cast<int>(options - kUsage + 1), kUsage);
  return 2;
}

void Complain(const std::string& message) {
  std::fprintf(stderr, "linsift-cli: %s\n", message.c_str());
}

// Why SEARCH was refused, for the usage error.
std::string MatchRefusal(const filters::MatchError& refusal) {
  switch (refusal.kind) {
    case filters::MatchError::Kind::kEmpty:
      return "SEARCH is empty";
    case filters::MatchError::Kind::kTooLong:
      return "SEARCH is longer than " + std::to_string(limits::kSearchBytes) + " bytes";
    case filters::MatchError::Kind::kNone:
      break;
  }
  return "SEARCH is refused";
}

int WriteFailed() {
  Complain(std::string("cannot write to standard output: ") + std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Bytes pass untouched, and every line the program writes ends as it does on Linux.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  using Kind = StreamCommand::Kind;
  Arguments args;
  std::string error;
  if (!Parse(argc, argv, args, error)) return Usage(error);
  if (args.help) {
    return WriteAll(1, kUsage, sizeof kUsage - 1) ? 0 : WriteFailed();
  }
  std::string search = args.search;
  if (args.utf8 && args.kind != Kind::kConvert) {
#ifdef _WIN32
    const bool converted = TerminalText::WideArgumentAsShiftJis(args.searchIndex, search);
#else
    const bool converted = TerminalText::Utf8ToShiftJis(args.search, search);
#endif
    if (!converted) return Usage("SEARCH cannot be written in Shift_JIS");
  }
  std::unique_ptr<filters::Matcher> matcher;
  if (args.kind != Kind::kConvert) {
    filters::MatchOptions options;
    options.bytes = args.bytes;
    filters::MatchError refusal;
    matcher = filters::Matcher::Make(search.data(), search.size(), options, &refusal);
    if (matcher == nullptr) return Usage(MatchRefusal(refusal));
  }

  NkfConvertFn convert = nullptr;
  if (args.kind == Kind::kConvert && !args.noConverter) {
    const ConverterLibrary::EntryPoints entries = BindConverter();
    convert = entries.convert;
    if (convert == nullptr) {
      Complain(entries.problem == ConverterLibrary::Problem::kNotAConverter
                   ? "convert: " + entries.file +
                         " is not a converter: it lacks SetNkfOption or NkfConvert"
                         " (--no-converter percent-decodes only)"
                   : "convert: nkf32 not found beside the program: " + entries.file +
                         " is missing (--no-converter percent-decodes only)");
      return 1;
    }
  }

  const StreamCommand command(args.kind, matcher.get(), convert);
  const StreamCommand::WriteFn toStdout = [](const char* data, size_t size) {
    return WriteAll(1, data, size);
  };
  const bool several = args.files.size() > 1;
  StreamCommand::Totals all;
  bool failed = false;
  for (const std::string& path : args.files) {
    InputFile input;
    if (!input.Open(path, error)) {
      Complain(error);
      failed = true;
      continue;
    }
    if (input.IsSameFileAs(1)) {
      Complain(input.Name() + ": input file is also the output");
      failed = true;
      continue;
    }
    LineBlocks blocks(LineBlocks::FromDescriptor(input.Descriptor()), args.blockSize);
    StreamCommand::Totals totals;
    const StreamCommand::Outcome outcome = command.Run(blocks, toStdout, totals);
    if (outcome == StreamCommand::Outcome::kWriteFailed) return WriteFailed();
    if (outcome == StreamCommand::Outcome::kGaveUp) {
      Complain(input.Name() + ": the search took too long on a line and was abandoned");
      return 1;
    }
    if (outcome == StreamCommand::Outcome::kReadFailed) {
      Complain(input.Name() + ": cannot be read: " + std::strerror(blocks.ErrorNumber()));
      failed = true;
      continue;
    }
    const std::string prefix = several ? input.Name() + ":" : std::string();
    if (args.kind == Kind::kCount) {
      all.lines += totals.lines;
      all.matches += totals.matches;
      const bool written = several
                               ? WriteLine(1,
                                           StreamCommand::CountLines(totals) + " " +
                                               StreamCommand::CountMatches(totals),
                                           args.utf8, prefix)
                               : WriteLine(1, StreamCommand::CountLines(totals), args.utf8) &&
                                     WriteLine(1, StreamCommand::CountMatches(totals), args.utf8);
      if (!written) return WriteFailed();
    } else if (args.kind != Kind::kConvert) {
      const std::string status = StreamCommand::FilterStatus(totals);
      if (!status.empty()) WriteLine(2, status, args.utf8, prefix);
    }
  }
  if (args.kind == Kind::kCount && several) {
    if (!WriteLine(1, StreamCommand::CountLines(all), args.utf8) ||
        !WriteLine(1, StreamCommand::CountMatches(all), args.utf8)) {
      return WriteFailed();
    }
  }
  return failed ? 1 : 0;
}
