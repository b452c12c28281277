// linsift-cli: the line filters and the conversion on a file or standard input, for scripts
// and benchmarks. The same cores as the window; the texts it prints are the window's.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "binding/BindConverter.h"
#include "cli/InputText.h"
#include "cli/TerminalText.h"
#include "filters/ConvertLines.h"
#include "filters/LineFilters.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>
#endif

namespace {

const char kUsage[] =
    "usage: linsift-cli [--utf8] extract|delete|delete-up-to|count SEARCH [FILE]\n"
    "       linsift-cli [--utf8] convert [FILE]\n"
    "\n"
    "Reads FILE (or standard input when FILE is missing or '-') as Linsift holds a loaded\n"
    "file: up to its first NUL byte; more than 40,000,000 bytes is an error.\n"
    "\n"
    "  extract       keep the lines that contain SEARCH\n"
    "  delete        keep the non-empty lines that do not contain SEARCH\n"
    "  delete-up-to  cut every line in front of the first SEARCH, drop empty lines\n"
    "  count         print the number of lines and of lines that contain SEARCH\n"
    "  convert       percent-decode every line and convert it to Shift_JIS with nkf32\n"
    "\n"
    "extract, delete, delete-up-to and convert write the new text to standard output (the\n"
    "text as it was when nothing changes) and the status line to standard error; count\n"
    "writes its two lines to standard output. Every written line ends with CR LF. SEARCH\n"
    "is matched as bytes; at most its first 255 bytes are used (count refuses longer).\n"
    "Texts are Shift_JIS; with --utf8, SEARCH is taken as UTF-8 and the status and count\n"
    "lines are printed in UTF-8.\n"
    "\n"
    "Exit status: 0 done, 1 the input could not be read, 2 usage error.\n";

enum class Command { kExtract, kDelete, kDeleteUpTo, kCount, kConvert };

struct Arguments {
  Command command = Command::kExtract;
  bool utf8 = false;
  bool help = false;
  int searchIndex = -1;  // index in argv of SEARCH
  std::string search;
  const char* file = nullptr;
};

bool ParseCommand(const char* name, Command& command) {
  static const struct {
    const char* name;
    Command command;
  } kCommands[] = {{"extract", Command::kExtract},
                   {"delete", Command::kDelete},
                   {"delete-up-to", Command::kDeleteUpTo},
                   {"count", Command::kCount},
                   {"convert", Command::kConvert}};
  for (const auto& entry : kCommands) {
    if (std::strcmp(name, entry.name) == 0) {
      command = entry.command;
      return true;
    }
  }
  return false;
}

// False with a reason for a usage error.
bool Parse(int argc, char** argv, Arguments& args, std::string& error) {
  std::vector<int> operands;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!optionsEnded && std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded && std::strcmp(arg, "--utf8") == 0) {
      args.utf8 = true;
    } else if (!optionsEnded && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
      args.help = true;
    } else if (!optionsEnded && arg[0] == '-' && arg[1] == '-') {
      error = std::string("unknown option '") + arg + "'";
      return false;
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
  if (!ParseCommand(name, args.command)) {
    error = std::string("unknown command '") + name + "'";
    return false;
  }
  size_t next = 1;
  if (args.command != Command::kConvert) {
    if (operands.size() < 2) {
      error = std::string(name) + ": missing SEARCH";
      return false;
    }
    args.searchIndex = operands[next++];
    args.search = argv[args.searchIndex];
  }
  if (next < operands.size()) args.file = argv[operands[next++]];
  if (next < operands.size()) {
    error = std::string(name) + ": unexpected argument '" + argv[operands[next]] + "'";
    return false;
  }
  return true;
}

#ifdef _WIN32
// With --utf8 on Windows, SEARCH comes from the wide command line: argv holds it already
// narrowed to the ANSI code page, which may have lost characters.
bool WideSearchAsShiftJis(int index, std::string& out) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return false;
  bool ok = false;
  if (index < count) {
    const std::wstring arg(wide[index]);
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, arg.data(),
                                         static_cast<int>(arg.size()), nullptr, 0, nullptr, &lossy);
    out.assign(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, arg.data(), static_cast<int>(arg.size()),
                          &out[0], size, nullptr, &lossy);
    }
    ok = !lossy;
  }
  LocalFree(wide);
  return ok;
}
#endif

// Writes all bytes; false when the stream refuses them.
bool WriteAll(std::FILE* stream, const char* data, size_t size) {
  if (size > 0 && std::fwrite(data, 1, size, stream) != size) return false;
  return std::fflush(stream) == 0;
}

bool WriteLine(std::FILE* stream, const std::string& text, bool utf8) {
  const std::string shown = (utf8 ? TerminalText::ShiftJisToUtf8(text) : text) + "\n";
  return WriteAll(stream, shown.data(), shown.size());
}

int Fail(const std::string& message, int status) {
  std::fprintf(stderr, "linsift-cli: %s\n", message.c_str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Bytes pass untouched, and every line the program writes ends as it does on Linux.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  Arguments args;
  std::string error;
  if (!Parse(argc, argv, args, error)) {
    std::fprintf(stderr, "linsift-cli: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (args.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::string search = args.search;
  if (args.utf8 && args.command != Command::kConvert) {
#ifdef _WIN32
    const bool converted = WideSearchAsShiftJis(args.searchIndex, search);
#else
    const bool converted = TerminalText::Utf8ToShiftJis(args.search, search);
#endif
    if (!converted) return Fail("SEARCH cannot be written in Shift_JIS", 2);
  }

  InputText input;
  if (!input.Load(args.file, error)) return Fail(error, 1);

  FilterResult result;
  switch (args.command) {
    case Command::kExtract:
      result = Extract(search.c_str(), input.Data(), input.Size());
      break;
    case Command::kDelete:
      result = Delete(search.c_str(), input.Data(), input.Size());
      break;
    case Command::kDeleteUpTo:
      result = DeleteUpTo(search.c_str(), input.Data(), input.Size());
      break;
    case Command::kCount:
      result = CountMatches(search.c_str(), input.Data(), input.Size());
      break;
    case Command::kConvert: {
      const NkfConvertFn convert = BindConverter().convert;
      if (convert == nullptr) {
        std::fputs("linsift-cli: nkf32 not found; lines are percent-decoded only\n", stderr);
      }
      result = ConvertLines(convert, input.Data(), input.Size());
      break;
    }
  }

  if (args.command == Command::kCount) {
    if (!result.status.has_value()) {
      std::fputs("linsift-cli: count: SEARCH is empty or longer than 255 bytes; nothing counted\n",
                 stderr);
      return 0;
    }
    if (!WriteLine(stdout, *result.status, args.utf8) ||
        !WriteLine(stdout, result.message.value_or(""), args.utf8)) {
      return Fail("cannot write to standard output", 1);
    }
    return 0;
  }

  // The pane as the command leaves it: the new text, or the text as it was (up to its NUL).
  const bool written = result.pane != nullptr ? WriteAll(stdout, result.pane->Data(),
                                                         static_cast<size_t>(result.pane->Length()))
                                              : WriteAll(stdout, input.Data(), input.TextSize());
  if (!written) return Fail("cannot write to standard output", 1);
  if (result.status.has_value() && !result.status->empty()) {
    WriteLine(stderr, *result.status, args.utf8);
  }
  return 0;
}
