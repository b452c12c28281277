// Drives the real main window from outside the message loop, for the screenshot and the
// window benchmark:
//   window_driver show [--search TEXT] [--press NAME] [FILE]
//       opens the window as linsift does (FILE as its command line), types TEXT into the
//       search box, presses the button or menu item NAME (extract, delete, deleteupto,
//       count, sjis, url) and runs until the window is closed.
//   window_driver methods BYTES [INDEX]
//       sets a generated Shift_JIS text of about BYTES bytes into a fresh pane in several
//       ways (or only the INDEXth) and prints how long each takes and whether the pane
//       then holds the same text.
//   window_driver replace BYTES [INDEX]
//       replaces such a text in the pane by its filtered half in several ways (or only the
//       INDEXth) and prints how long each takes.
//   window_driver repeat BYTES TIMES
//       writes a generated text and its filtered half into the pane by turns.
//   window_driver bench BYTES...
//       presses 抽出 on a generated text of each size and prints the time of reading the
//       pane, of the filter and of writing the pane.
#include <windows.h>
// After <windows.h>:
#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/PaneText.h"
#include "app/WindowState.h"
#include "filters/LineFilters.h"

namespace {

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// CPU time of this process so far (user and kernel), in seconds: unlike the wall clock,
// not stretched by other work on a busy machine.
double CpuSeconds() {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           1e7;
  };
  return seconds(kernel) + seconds(user);
}

// The process's peak and current working set, in MB.
double PeakMegabytes(bool current = false) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<double>(current ? counters.WorkingSetSize : counters.PeakWorkingSetSize) / 1e6;
}

// Lets the window paint and handle what is queued.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// About `bytes` bytes of Shift_JIS lines ended by CR LF; every other line holds 表示
// (95 5C 8E A6), the search text of the benchmark.
std::string MakeText(size_t bytes) {
  std::string text;
  text.reserve(bytes + 64);
  char line[96];
  for (int i = 0; text.size() < bytes; ++i) {
    const char* word = (i % 2 == 0) ? "\x95\x5c\x8e\xa6" : "\x93\xfa\x96\x7b";  // 表示 / 日本
    std::snprintf(line, sizeof line, "%08d %s\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67 abc\r\n", i,
                  word);
    text += line;
  }
  return text;
}

// Opens the main window with `commandLine`; its state, or null (with a message) when the
// window cannot be made.
WindowState* StartWindow(const char* commandLine) {
  HWND window = StartMainWindow(GetModuleHandleA(nullptr), commandLine, SW_SHOWNORMAL);
  if (window != nullptr) return WindowState::Of(window);
  std::fprintf(stderr, "window_driver: the main window could not be created (no display?)\n");
  return nullptr;
}

void EndWindow(const WindowState* state) {
  EndMainWindow(state->window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

int Show(int argc, char** argv) {
  std::string search, press, file;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--search" && i + 1 < argc) {
      search = argv[++i];
    } else if (arg == "--press" && i + 1 < argc) {
      press = argv[++i];
    } else {
      file = arg;
    }
  }
  const WindowState* state = StartWindow(file.c_str());
  if (state == nullptr) return 1;
  HWND window = state->window;
  if (!search.empty()) SetWindowTextA(state->searchBox, search.c_str());
  const struct {
    const char* name;
    int id;
  } commands[] = {{"extract", ids::kExtract},       {"delete", ids::kDelete},
                  {"deleteupto", ids::kDeleteUpTo}, {"count", ids::kCountMatches},
                  {"sjis", ids::kConvertSjis},      {"url", ids::kConvertUrl}};
  for (const auto& c : commands) {
    if (press == c.name) PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(c.id), 0);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  EndMainWindow(window);
  return 0;
}

// One way of putting text into the pane.
struct Method {
  std::string name;
  std::function<void(HWND pane, const std::string& text)> set;
};

struct Stream {
  const char* data;
  size_t size;
  size_t at;
};

// Hands the text out in chunks of at most `cb` bytes, never ending a chunk between the
// CR and the LF of a line break (the control would make two breaks of it).
DWORD CALLBACK StreamText(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* given) {
  auto* s = reinterpret_cast<Stream*>(cookie);
  size_t n = std::min(static_cast<size_t>(cb), s->size - s->at);
  n = PaneText::PieceEnd(s->data + s->at, n, s->at + n < s->size);
  std::memcpy(buffer, s->data + s->at, n);
  s->at += n;
  *given = static_cast<LONG>(n);
  return 0;
}

// Fills the empty pane as the program does, in pieces of `pieceBytes` at its end.
Method AppendInPieces(size_t pieceBytes) {
  return {"PaneText::FillEmpty, " + std::to_string(pieceBytes / 1024) + " KB pieces",
          [pieceBytes](HWND pane, const std::string& t) {
            PaneText::FillEmpty(pane, t.c_str(), pieceBytes);
          }};
}

std::vector<Method> Methods() {
  return {
      {"SetWindowTextA", [](HWND pane, const std::string& t) { SetWindowTextA(pane, t.c_str()); }},
      {"EM_SETTEXTEX CP_ACP",
       [](HWND pane, const std::string& t) {
         SETTEXTEX how{ST_DEFAULT, CP_ACP};
         SendMessageA(pane, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
                      reinterpret_cast<LPARAM>(t.c_str()));
       }},
      {"SetWindowTextW (own CP932 decoding)",
       [](HWND pane, const std::string& t) {
         const int n = MultiByteToWideChar(932, 0, t.c_str(), -1, nullptr, 0);
         std::wstring w(static_cast<size_t>(n), L'\0');
         MultiByteToWideChar(932, 0, t.c_str(), -1, w.data(), n);
         SetWindowTextW(pane, w.c_str());
       }},
      {"EM_STREAMIN SF_TEXT",
       [](HWND pane, const std::string& t) {
         Stream s{t.data(), t.size(), 0};
         EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&s), 0, StreamText};
         SendMessageA(pane, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
       }},
      {"EM_REPLACESEL on the empty pane",
       [](HWND pane, const std::string& t) {
         SendMessageA(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(t.c_str()));
       }},
      {"hidden + WM_SETREDRAW off + SetWindowTextA",
       [](HWND pane, const std::string& t) {
         ShowWindow(pane, SW_HIDE);
         SendMessageA(pane, WM_SETREDRAW, FALSE, 0);
         SetWindowTextA(pane, t.c_str());
         SendMessageA(pane, WM_SETREDRAW, TRUE, 0);
         ShowWindow(pane, SW_SHOW);
       }},
      {"TM_PLAINTEXT + undo limit 0 + SetWindowTextA",
       [](HWND pane, const std::string& t) {
         SendMessageA(pane, EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO, 0);
         SendMessageA(pane, EM_SETUNDOLIMIT, 0, 0);
         SetWindowTextA(pane, t.c_str());
       }},
      AppendInPieces(4096),
      AppendInPieces(16384),
      AppendInPieces(65536),
      AppendInPieces(262144),
  };
}

int CompareMethods(size_t bytes, int only) {
  const std::string text = MakeText(bytes);
  std::printf("text: %zu bytes\n", text.size());
  int index = -1;
  for (const Method& m : Methods()) {
    if (++index != only && only >= 0) continue;
    WindowState* state = StartWindow("");
    if (state == nullptr) return 1;
    Pump();
    const double start = Now();
    m.set(state->pane.Handle(), text);
    const double set = Now() - start;
    Pump();
    const double painted = Now() - start;
    const bool same = state->pane.Text() == text;
    std::printf("  %-45s set %7.3f s, painted %7.3f s, peak %6.0f MB, %s\n", m.name.c_str(), set,
                painted, PeakMegabytes(), same ? "same text" : "DIFFERENT TEXT");
    std::fflush(stdout);
    EndWindow(state);
  }
  return 0;
}

// One way of replacing the text of the pane.
struct Replacement {
  std::string name;
  std::function<void(PaneText& pane, const std::string& text)> replace;
};

// Replaces a large pane text with another, each way timed in a fresh window.
int CompareReplacements(size_t bytes, int only) {
  const std::string first = MakeText(bytes);
  const FilterResult half = Extract("\x95\x5c\x8e\xa6", first.data(), first.size());
  const std::string second = half.pane->CStr();
  std::printf("replace %zu bytes by %zu bytes\n", first.size(), second.size());
  const std::vector<Replacement> ways = {
      {"SetWindowTextA",
       [](PaneText& pane, const std::string& t) { SetWindowTextA(pane.Handle(), t.c_str()); }},
      {"empty first, then SetWindowTextA",
       [](PaneText& pane, const std::string& t) {
         SetWindowTextA(pane.Handle(), "");
         SetWindowTextA(pane.Handle(), t.c_str());
       }},
      {"delete from the end in 4096-char steps, then set",
       [](PaneText& pane, const std::string& t) {
         HWND control = pane.Handle();
         SendMessageA(control, EM_SETUNDOLIMIT, 0, 0);
         for (LONG end = GetWindowTextLengthA(control); end > 0; end -= 4096) {
           CHARRANGE r{std::max<LONG>(0, end - 4096), end};
           SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
           SendMessageA(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
         }
         SetWindowTextA(control, t.c_str());
       }},
      {"a new pane in place of the old (PaneText::SetText)",
       [](PaneText& pane, const std::string& t) { pane.SetText(t.c_str()); }},
  };
  int index = -1;
  for (const Replacement& way : ways) {
    if (++index != only && only >= 0) continue;
    WindowState* state = StartWindow("");
    if (state == nullptr) return 1;
    SetWindowTextA(state->pane.Handle(), first.c_str());
    Pump();
    const double start = Now();
    way.replace(state->pane, second);
    const double seconds = Now() - start;
    const bool same = state->pane.Text() == second;
    std::printf("  %-50s %8.3f s, %s\n", way.name.c_str(), seconds,
                same ? "same text" : "DIFFERENT TEXT");
    std::fflush(stdout);
    EndWindow(state);
  }
  return 0;
}

// Prints one timed step at once, so a slow step shows while it runs.
double Step(const char* name, const std::function<void()>& step) {
  std::printf("  %-34s", name);
  std::fflush(stdout);
  const double start = Now();
  const double cpuStart = CpuSeconds();
  step();
  const double seconds = Now() - start;
  std::printf("%8.3f s  (cpu %.3f s)\n", seconds, CpuSeconds() - cpuStart);
  std::fflush(stdout);
  return seconds;
}

// Writes the text and its filtered half into the pane by turns, `times` times, painting
// after each: shows whether a pane's history makes later writes slower.
int Repeat(size_t bytes, int times) {
  const std::string text = MakeText(bytes);
  const FilterResult half = Extract("\x95\x5c\x8e\xa6", text.data(), text.size());
  WindowState* state = StartWindow("");
  if (state == nullptr) return 1;
  for (int i = 0; i < times; ++i) {
    const char* next = (i % 2 == 0) ? text.c_str() : half.pane->CStr();
    Step(i % 2 == 0 ? "write the whole text" : "write the half", [&] {
      state->pane.SetText(next);
      Pump();
    });
    std::printf("    working set %.0f MB\n", PeakMegabytes(true));
  }
  EndWindow(state);
  return 0;
}

int Bench(int argc, char** argv) {
  for (int i = 2; i < argc; ++i) {
    const size_t bytes = std::strtoul(argv[i], nullptr, 10);
    const std::string text = MakeText(bytes);
    std::printf("%zu bytes, search 表示 (every other line)\n", text.size());
    WindowState* state = StartWindow("");
    if (state == nullptr) return 1;
    SetWindowTextA(state->searchBox, "\x95\x5c\x8e\xa6");  // 表示
    Step("load the text into the pane", [&] {
      state->pane.SetText(text.c_str());
      Pump();
    });

    // The steps of the button, one by one, as the command runs them.
    std::string pane;
    FilterResult result;
    const double read = Step("read the pane", [&] { pane = state->pane.Text(); });
    const double filter = Step("filter (Extract)", [&] {
      result = Extract("\x95\x5c\x8e\xa6", pane.data(), pane.size());
    });
    const double write = Step("write the pane", [&] { state->pane.SetText(result.pane->CStr()); });
    Step("paint", [&] { Pump(); });
    std::printf("  read + filter + write               %8.3f s%s\n", read + filter + write,
                pane == text ? "" : "  (READ DIFFERS)");

    // And the whole button press on the original text again.
    Step("load the text again", [&] {
      state->pane.SetText(text.c_str());
      Pump();
    });
    Step("press 抽出 (one command)",
         [&] { SendMessageA(state->window, WM_COMMAND, ids::kExtract, 0); });
    const bool same = state->pane.Text() == std::string(result.pane->CStr());
    std::printf("  pane after the press %s; peak working set %.0f MB\n",
                same ? "as expected" : "DIFFERS", PeakMegabytes());
    std::fflush(stdout);
    EndWindow(state);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "replace" && argc > 2)
    return CompareReplacements(std::strtoul(argv[2], nullptr, 10),
                               argc > 3 ? std::atoi(argv[3]) : -1);
  if (mode == "show") return Show(argc, argv);
  if (mode == "methods" && argc > 2) {
    return CompareMethods(std::strtoul(argv[2], nullptr, 10), argc > 3 ? std::atoi(argv[3]) : -1);
  }
  if (mode == "bench" && argc > 2) return Bench(argc, argv);
  if (mode == "repeat" && argc > 3)
    return Repeat(std::strtoul(argv[2], nullptr, 10), std::atoi(argv[3]));
  std::fprintf(stderr,
               "usage: window_driver show [--search TEXT] [--press NAME] [FILE]\n"
               "       window_driver methods BYTES [INDEX]\n"
               "       window_driver repeat BYTES TIMES\n"
               "       window_driver bench BYTES...\n");
  return 2;
}
