// The window tests' fixture and helpers.
#include "WindowTestSupport.h"

#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/MainWindow.h"
#include "app/WindowCommands.h"
#include "filters/ShownTexts.h"

void MainWindowTest::Start(const char* commandLine) {
  window_ = StartMainWindow(GetModuleHandleA(nullptr), commandLine, SW_SHOWNORMAL);
  ASSERT_NE(window_, nullptr)
      << "the main window could not be created; without a display (DISPLAY unset, no "
         "Xvfb) Wine makes no window: run the tests through scripts/wine.sh";
}

void MainWindowTest::TearDown() {
  EndMainWindow(window_);
  window_ = nullptr;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

std::string MainWindowTest::Title() const { return PaneText::ReadText(window_); }

void MainWindowTest::Type(const std::string& text) {
  SendMessageA(PaneHandle(), EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);  // the end
  SendMessageA(PaneHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

RECT MainWindowTest::PlaceOf(HWND control) const {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::string MainWindowTest::Pane() const { return State().pane.Text(); }
std::string MainWindowTest::Status() const { return PaneText::ReadText(State().statusBar); }
void MainWindowTest::SetPane(const std::string& text) {
  State().document.Replace(std::make_unique<B2String1>(text.data(), static_cast<int>(text.size())),
                           "");
  ShowDocument(State());
}
std::string MainWindowTest::DocumentText() const {
  const B2String1& text = State().document.Text();
  return std::string(text.Data(), static_cast<size_t>(text.Length()));
}
void MainWindowTest::SetSearch(const std::string& text) {
  SetWindowTextA(State().searchBox, text.c_str());
}
void MainWindowTest::SetStatus(const std::string& text) {
  SetWindowTextA(State().statusBar, text.c_str());
}

void MainWindowTest::Press(int id) {
  SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window_, id)));
}

namespace {

// The file name box of the open dialog.
constexpr int kFileNameBox = 0x47C;  // cmb13

std::string FileNameBoxText(HWND dialog) {
  char text[MAX_PATH] = {};
  GetDlgItemTextA(dialog, kFileNameBox, text, sizeof text);
  return text;
}

// The visible dialog captioned `caption` of the thread `owner`, or null: only the test's
// own, since tests run side by side in other processes.
HWND FindDialog(DWORD owner, const std::string& caption) {
  struct Search {
    const std::string& caption;
    HWND found;
  } search{caption, nullptr};
  EnumThreadWindows(
      owner,
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        char name[16] = {};
        char text[256] = {};
        GetClassNameA(w, name, sizeof name);
        GetWindowTextA(w, text, sizeof text);
        if (std::string(name) != "#32770" || s->caption != text || !IsWindowVisible(w)) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& p : paths) size += p.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  char* out = reinterpret_cast<char*>(drop + 1);
  for (const std::string& p : paths) {
    std::memcpy(out, p.c_str(), p.size() + 1);
    out += p.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

void MainWindowTest::Drop(const std::vector<std::string>& paths) {
  SendMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

std::pair<DWORD, DWORD> Selection(HWND control) {
  DWORD start = 0, end = 0;
  SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

std::string Lines(int n) { return filters::ShownTexts::Lines(n); }

std::string Said(const char* format, const std::string& first, const std::string& second) {
  std::string text = format;
  for (const std::string* arg : {&first, &second}) {
    const size_t at = text.find("%s");
    if (at == std::string::npos) break;
    text.replace(at, 2, *arg);
  }
  return text;
}

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f != nullptr) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

bool PutOnClipboard(const char* text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  bool ok = true;
  if (text != nullptr) {
    const size_t size = std::char_traits<char>::length(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    ok = SetClipboardData(CF_TEXT, block) != nullptr;
  }
  CloseClipboard();
  return ok;
}

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  std::string text = "<none>";
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

DialogAnswer::DialogAnswer(std::string caption, int button, std::function<void(HWND)> answer)
    : caption_(std::move(caption)),
      button_(button),
      answer_(std::move(answer)),
      owner_(GetCurrentThreadId()),
      thread_([this] { Run(); }) {}

void DialogAnswer::Run() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    HWND dialog = FindDialog(owner_, caption_);
    if (dialog != nullptr) {
      found_ = true;
      char text[512] = {};
      GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
      text_ = text;
      if (answer_) {
        answer_(dialog);
      } else {
        PostMessageA(GetDlgItem(dialog, button_), BM_CLICK, 0, 0);
      }
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EnumThreadWindows(
      owner_,
      [](HWND w, LPARAM) -> BOOL {
        char name[16] = {};
        GetClassNameA(w, name, sizeof name);
        if (std::string(name) == "#32770") PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
      },
      0);
}

std::function<void(HWND)> TypePathAndOpen(const std::string& path, std::string* shown) {
  return [path, shown](HWND dialog) {
    if (shown != nullptr) *shown = FileNameBoxText(dialog);
    SetWindowTextA(GetDlgItem(dialog, kFileNameBox), path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
}

std::function<void(HWND)> TypePathAndSave(const std::string& path, int overwrite, bool* asked) {
  return [path, overwrite, asked](HWND dialog) {
    // Read without messages: the test's thread may be past its modal loop already.
    wchar_t caption[256] = {};
    InternalGetWindowText(dialog, caption, 256);
    SetWindowTextA(GetDlgItem(dialog, kFileNameBox), path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    // The question comes as a box with the dialog's caption, while the dialog stays.
    struct Search {
      HWND dialog;
      const wchar_t* caption;
      HWND box;
    } search{dialog, caption, nullptr};
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (search.box == nullptr && IsWindow(dialog) &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      EnumThreadWindows(
          thread,
          [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            char name[16] = {};
            wchar_t text[256] = {};
            GetClassNameA(w, name, sizeof name);
            InternalGetWindowText(w, text, 256);
            if (w != s->dialog && std::string(name) == "#32770" && IsWindowVisible(w) &&
                std::wstring(text) == s->caption) {
              s->box = w;
              return FALSE;
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&search));
    }
    if (asked != nullptr) *asked = search.box != nullptr;
    if (search.box != nullptr) PostMessageA(GetDlgItem(search.box, overwrite), BM_CLICK, 0, 0);
    // Answered No, the dialog stays open: cancel it.
    if (overwrite == IDNO && search.box != nullptr) {
      while (IsWindow(search.box)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  };
}

std::function<void(HWND)> Cancel(std::string* shown) {
  return [shown](HWND dialog) {
    if (shown != nullptr) *shown = FileNameBoxText(dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  };
}
