// Loads the converter library nkf32 at run time and finds its two entry points.
#pragma once

#include "nkf32/nkf32.h"

/// The platform edge of the converter binding: LoadLibraryA/GetProcAddress on Windows,
/// dlopen/dlsym elsewhere. A library that provides both entry points stays loaded until the
/// process ends (its entry points are used for the whole run); one that lacks either is
/// released again at once.
class ConverterLibrary {
 public:
  /// The two entry points; both null, or both set.
  struct EntryPoints {
    SetNkfOptionFn setOption = nullptr;
    NkfConvertFn convert = nullptr;
  };

  /// Loads the library at path (a path, or a bare name searched the platform's way) and looks
  /// up "SetNkfOption" and "NkfConvert". Both null when it cannot be loaded or lacks either.
  static EntryPoints Load(const char* path);

  /// Loads "nkf32" the way the program ships it: beside the executable first (nkf32.dll, or
  /// libnkf32.so in the directory of /proc/self/exe), then by its plain name. Both null when
  /// neither is found.
  static EntryPoints LoadDefault();
};
