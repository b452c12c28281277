// Linsift's entry point: start-up, the message loop, and the exit code of WM_QUIT.
#include <windows.h>

#include "app/MainWindow.h"
#include "app/WindowMemory.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  // Without its window the program has nothing to run: end with a failure code.
  HWND window = StartMainWindow(instance, commandLine, show, DefaultSettingsPath().c_str());
  if (window == nullptr) return 1;

  // GetMessageA gives -1 on an invalid call; that ends the loop too rather than spin.
  MSG message{};
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) ProcessMessage(window, message);
  EndMainWindow(window);
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}
