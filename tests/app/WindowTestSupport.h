// What the window tests share: the fixture that opens the real main window as WinMain does
// (without its loop), writing and reading its controls, temporary files, the clipboard,
// drops and modal dialogs answered from a helper thread. Needs a display (Wine inside
// Xvfb: scripts/wine.sh) and the clipboard.
//
// The pane shows every line break as CR LF, and its control does not keep invalid
// Shift_JIS bytes, so the tests' texts are valid Shift_JIS and the pane texts expected
// back carry CR LF.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/WindowState.h"

/// The main window of one test, with its controls reached through its WindowState.
class MainWindowTest : public testing::Test {
 protected:
  /// Creates the main window with `commandLine` as WinMain does; fails with the likely
  /// reason when there is no display.
  void Start(const char* commandLine = "");

  void SetUp() override { Start(); }
  /// Destroys the window and takes the WM_QUIT it posted off the queue, so that the next
  /// window's modal loops do not end at once.
  void TearDown() override;

  HWND Window() const { return window_; }
  /// The window's state; valid until the window is destroyed.
  WindowState& State() const { return *WindowState::Of(window_); }
  /// The pane control.
  HWND PaneHandle() const { return State().pane.Handle(); }

  /// Where the child `control` stands in the window's client area.
  RECT PlaceOf(HWND control) const;

  std::string Pane() const;
  std::string Status() const;
  /// The title bar's text.
  std::string Title() const;
  /// Types `text` at the end of the pane as the user would.
  void Type(const std::string& text);
  /// Makes `text` the document (one step, empty status) and shows it, as a command would.
  void SetPane(const std::string& text);
  /// The document's bytes.
  std::string DocumentText() const;
  void SetSearch(const std::string& text);
  void SetStatus(const std::string& text);

  /// Sends a command as its button or menu item would.
  void Press(int id);
  /// Sends WM_DROPFILES as the shell does for `paths`.
  void Drop(const std::vector<std::string>& paths);

 private:
  HWND window_ = nullptr;
};

/// A drop of `paths` as the shell delivers it: DROPFILES, the ANSI paths each with its
/// NUL, and one more NUL. The window's DragFinish frees it.
HGLOBAL MakeDrop(const std::vector<std::string>& paths);

/// The selection of the edit control `control`, start and end in its characters.
std::pair<DWORD, DWORD> Selection(HWND control);

/// The window's line count in the status bar.
std::string Lines(int n);

/// A status text of app/UiText.h with its %s (the first; the second too when given) filled in.
std::string Said(const char* format, const std::string& first, const std::string& second = "");

/// `bytes` written to the file `name` in the temporary folder; its path.
std::string WriteTempFile(const std::string& name, const std::string& bytes);

/// Empties the clipboard and puts `text` on it as CF_TEXT (nothing when null).
bool PutOnClipboard(const char* text);
/// The clipboard's CF_TEXT, or "<none>".
std::string ClipboardText();

/// Waits for a visible dialog with `caption`, keeps its message text, hands it to
/// `answer` (by default: click `button`) and ends. The modal loop runs on the test's
/// thread meanwhile. If no such dialog shows within 10 s, it closes any dialog of the
/// test's thread so that a wrong caption fails the test instead of hanging it.
class DialogAnswer {
 public:
  DialogAnswer(std::string caption, int button, std::function<void(HWND)> answer = {});
  ~DialogAnswer() { Join(); }

  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool found() const { return found_; }
  const std::string& text() const { return text_; }

 private:
  void Run();

  std::string caption_;
  int button_;
  std::function<void(HWND)> answer_;
  DWORD owner_;
  std::atomic<bool> found_{false};
  std::string text_;
  std::thread thread_;
};

/// Answers the open dialog with `path` typed into its file name box; keeps in `shown`
/// (unless null) what the box held when the dialog opened.
std::function<void(HWND)> TypePathAndOpen(const std::string& path, std::string* shown);
/// Answers the save dialog with `path`, and the question whether to overwrite it (if it
/// comes) with `overwrite` (IDYES or IDNO); `asked` (unless null) tells whether it came.
std::function<void(HWND)> TypePathAndSave(const std::string& path, int overwrite, bool* asked);
/// Cancels the open dialog; keeps what its file name box held in `shown` (unless null).
std::function<void(HWND)> Cancel(std::string* shown);
