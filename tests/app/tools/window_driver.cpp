// Drives the real main window from outside the message loop, for the screenshot and the
// window benchmark:
//   window_driver show [--regex] [--ignore-case] [--search TEXT] [--press NAME] [FILE]
//       opens the window as linsift does (FILE as its command line), types TEXT into the
//       search box, presses the button or menu item NAME (extract, delete, deleteupto,
//       count, sjis, url) and runs until the window is closed.
//   window_driver repeat BYTES TIMES
//       writes a generated Shift_JIS text of about BYTES bytes and its filtered half into
//       the pane by turns.
//   window_driver bench BYTES...
//       presses 抽出 on a generated text of each size and prints the time of reading the
//       pane, of the filter and of writing the pane.
//   window_driver commands BYTES [LOADS] [all|open-filter]
//       writes a generated text of BYTES bytes to a file, starts the window with it as its
//       command line, loads it through the command path (a drop) and runs every command on
//       it, each on the freshly loaded text and timed up to the final paint (wall and CPU
//       time), then 元に戻す and やり直し of 抽出 and a scroll to the end; then loads the file
//       LOADS times (default 10) and prints the working set after each load, the peak and
//       the undo history each load adds to. With open-filter, only the load and 抽出.
//   window_driver lines COUNT
//       starts the empty window, opens a text of COUNT one-character LF lines (a drop) and
//       scrolls to its end.
//   window_driver history BYTES COMMANDS
//       loads a generated text, then runs COMMANDS commands by turns (a load of a variant
//       of the file, 抽出), printing the working set and the undo history after each.
#include <windows.h>
// After <windows.h>:
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "WindowTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/PaneText.h"
#include "app/WindowCommands.h"
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

// `bytes` bytes of Shift_JIS lines ended by CR LF (the last one cut short); every other line
// holds 表示 (95 5C 8E A6), the search text of the benchmark.
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
  text.resize(bytes);
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
  filters::MatchOptions options;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--regex") {
      options.regex = true;
    } else if (arg == "--ignore-case") {
      options.ignoreCase = true;
    } else if (arg == "--search" && i + 1 < argc) {
      search = argv[++i];
    } else if (arg == "--press" && i + 1 < argc) {
      press = argv[++i];
    } else {
      file = arg;
    }
  }
  WindowState* state = StartWindow(file.c_str());
  if (state == nullptr) return 1;
  HWND window = state->window;
  SetSearchOptions(*state, options);
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
  while (GetMessageA(&message, nullptr, 0, 0) > 0) ProcessMessage(window, message);
  EndMainWindow(window);
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

// 抽出 表示 on the text, as the button runs it.
filters::FilterResult ExtractHyouji(const std::string& text) {
  const auto matcher = filters::Matcher::Make("\x95\x5c\x8e\xa6", 4, filters::MatchOptions());
  return filters::Extract(*matcher, text.data(), text.size());
}

// Writes the text and its filtered half into the pane by turns, `times` times, painting
// after each: shows whether a pane's history makes later writes slower.
int Repeat(size_t bytes, int times) {
  const std::string text = MakeText(bytes);
  const filters::FilterResult half = ExtractHyouji(text);
  const std::string second(half.pane->Data(), static_cast<size_t>(half.pane->Size()));
  WindowState* state = StartWindow("");
  if (state == nullptr) return 1;
  for (int i = 0; i < times; ++i) {
    const std::string& next = (i % 2 == 0) ? text : second;
    Step(i % 2 == 0 ? "write the whole text" : "write the half", [&] {
      state->pane.SetText(next.data(), next.size());
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
      state->pane.SetText(text.data(), text.size());
      Pump();
    });

    // The steps of the button, one by one, as the command runs them.
    std::string pane;
    filters::FilterResult result;
    const double read = Step("read the pane", [&] { pane = state->pane.Text(); });
    const double filter = Step("filter (Extract)", [&] { result = ExtractHyouji(pane); });
    const double write = Step("write the pane", [&] {
      state->pane.SetText(result.pane->Data(), static_cast<size_t>(result.pane->Size()));
    });
    Step("paint", [&] { Pump(); });
    std::printf("  read + filter + write               %8.3f s%s\n", read + filter + write,
                pane == text ? "" : "  (READ DIFFERS)");

    // And the whole button press on the original text again.
    Step("load the text again", [&] {
      state->pane.SetText(text.data(), text.size());
      Pump();
    });
    Step("press 抽出 (one command)",
         [&] { SendMessageA(state->window, WM_COMMAND, ids::kExtract, 0); });
    const bool same = state->pane.Text() ==
                      std::string(result.pane->Data(), static_cast<size_t>(result.pane->Size()));
    std::printf("  pane after the press %s; peak working set %.0f MB\n",
                same ? "as expected" : "DIFFERS", PeakMegabytes());
    std::fflush(stdout);
    EndWindow(state);
  }
  return 0;
}

// Clicks OK on the count box (captioned by the search text) from another thread as soon
// as it shows, so the command can end.
std::thread AnswerCountBox(const char* caption) {
  return std::thread([caption] {
    for (int i = 0; i < 60000; ++i) {
      HWND box = FindWindowA("#32770", caption);
      if (box != nullptr && IsWindowVisible(box)) {
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        return;
      }
      Sleep(1);
    }
  });
}

// Drops the file at path on the window and lets it finish.
void Drop(HWND window, const std::string& path) {
  SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})), 0);
  Pump();
}

int Commands(size_t bytes, int loads, bool all) {
  const std::string text = MakeText(bytes);
  const std::string path = WriteTempFile("window_driver commands.txt", text);
  std::printf("%zu bytes, Shift_JIS, CR LF, search 表示 (every other line)\n", text.size());

  WindowState* state = nullptr;
  Step("start with it on the command line", [&] {
    state = StartWindow(path.c_str());
    Pump();
  });
  if (state == nullptr) return 1;
  HWND window = state->window;
  auto open = [&] { Drop(window, path); };
  auto press = [&](int id) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    Pump();
  };
  auto scrollToEnd = [&] {
    SendMessageA(state->pane.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    UpdateWindow(state->pane.Handle());
    Pump();
  };
  const char* kShown = "\x95\x5c\x8e\xa6";  // 表示
  Step("open (drop, to the final paint)", open);
  SetWindowTextA(state->searchBox, kShown);
  Step("抽出 (half the lines)", [&] { press(ids::kExtract); });
  Step("元に戻す (back to the whole text)", [&] { press(ids::kUndo); });
  Step("やり直し (the half again)", [&] { press(ids::kRedo); });
  open();
  Step("scroll to the end", [&] { scrollToEnd(); });
  if (all) {
    open();
    SetWindowTextA(state->searchBox, "zzz");
    Step("削除 (keeps every line)", [&] { press(ids::kDelete); });
    open();
    SetWindowTextA(state->searchBox, kShown);
    Step("まで削除", [&] { press(ids::kDeleteUpTo); });
    open();
    Step("計数 (box answered)", [&] {
      std::thread answer = AnswerCountBox(kShown);
      press(ids::kCountMatches);
      answer.join();
    });
    open();
    Step("SJIS化", [&] { press(ids::kConvertSjis); });
    open();
    Step("URLデコード", [&] { press(ids::kConvertUrl); });
  }
  std::printf("  peak working set %.0f MB\n", PeakMegabytes());
  for (int i = 1; i <= loads; ++i) {
    open();
    const DocumentHistory& history = state->document.History();
    std::printf("  load %2d: working set %4.0f MB, peak %4.0f MB; history %zu steps, %.0f MB\n", i,
                PeakMegabytes(true), PeakMegabytes(), history.UndoCount(),
                static_cast<double>(history.UndoBytes()) / 1e6);
  }
  std::printf("  peak working set %.0f MB\n", PeakMegabytes());
  std::fflush(stdout);
  EndWindow(state);
  DeleteFileA(path.c_str());
  return 0;
}

// Memory as the history fills: loads a generated text of about BYTES bytes, then runs
// COMMANDS commands by turns, a drop of a variant of the file (a new first line, so every
// load is a text of its own) and 抽出 on it, printing the working set and the history after
// each, and the peak.
int History(size_t bytes, int commands) {
  const std::string text = MakeText(bytes);
  std::string path;
  auto write = [&](int variant) {
    path = WriteTempFile("window_driver history.txt",
                         "variant " + std::to_string(variant) + "\r\n" + text);
    return !path.empty();
  };
  WindowState* state = StartWindow("");
  if (state == nullptr || !write(0)) return 1;
  HWND window = state->window;
  SetWindowTextA(state->searchBox, "\x95\x5c\x8e\xa6");  // 表示
  Drop(window, path);
  std::printf("%zu bytes loaded: working set %.0f MB, peak %.0f MB\n", text.size(),
              PeakMegabytes(true), PeakMegabytes());
  for (int i = 1; i <= commands; ++i) {
    if (i % 2 == 1) {
      if (!write(i)) return 1;
      Drop(window, path);
    } else {
      SendMessageA(window, WM_COMMAND, ids::kExtract, 0);
      Pump();
    }
    const DocumentHistory& history = state->document.History();
    std::printf("  %2d %s: working set %4.0f MB, peak %4.0f MB; history %zu steps, %.0f MB\n", i,
                i % 2 == 1 ? "load" : "extract", PeakMegabytes(true), PeakMegabytes(),
                history.UndoCount(), static_cast<double>(history.UndoBytes()) / 1e6);
    std::fflush(stdout);
  }
  std::printf("  peak working set %.0f MB\n", PeakMegabytes());
  EndWindow(state);
  DeleteFileA(path.c_str());
  return 0;
}

// Opens `count` one-character LF lines and scrolls to their end.
int ManyLines(size_t count) {
  std::string text;
  text.reserve(2 * count);
  for (size_t i = 0; i < count; ++i) text += "a\n";
  const std::string path = WriteTempFile("window_driver lines.txt", text);
  std::printf("%zu one-character LF lines (%zu bytes)\n", count, text.size());
  WindowState* state = nullptr;
  Step("start (empty window, painted)", [&] {
    state = StartWindow("");
    Pump();
  });
  if (state == nullptr) return 1;
  Step("open (drop, to the final paint)", [&] { Drop(state->window, path); });
  Step("scroll to the end", [&] {
    SendMessageA(state->pane.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    UpdateWindow(state->pane.Handle());
    Pump();
  });
  std::printf("  peak working set %.0f MB\n", PeakMegabytes());
  EndWindow(state);
  DeleteFileA(path.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "show") return Show(argc, argv);
  if (mode == "bench" && argc > 2) return Bench(argc, argv);
  if (mode == "commands" && argc > 2) {
    return Commands(std::strtoul(argv[2], nullptr, 10), argc > 3 ? std::atoi(argv[3]) : 10,
                    argc <= 4 || std::strcmp(argv[4], "open-filter") != 0);
  }
  if (mode == "history" && argc > 3) {
    return History(std::strtoul(argv[2], nullptr, 10), std::atoi(argv[3]));
  }
  if (mode == "lines" && argc > 2) return ManyLines(std::strtoul(argv[2], nullptr, 10));
  if (mode == "repeat" && argc > 3)
    return Repeat(std::strtoul(argv[2], nullptr, 10), std::atoi(argv[3]));
  std::fprintf(
      stderr,
      "usage: window_driver show [--regex] [--ignore-case] [--search TEXT] [--press NAME] [FILE]\n"
      "       window_driver repeat BYTES TIMES\n"
      "       window_driver bench BYTES...\n"
      "       window_driver commands BYTES [LOADS] [all|open-filter]\n"
      "       window_driver history BYTES COMMANDS\n"
      "       window_driver lines COUNT\n");
  return 2;
}
