// Loads the converter library nkf32 at run time and finds its two entry points.
#pragma once

#include <string>

#include "nkf32/nkf32.h"

/// The platform edge of the converter binding: LoadLibraryA/GetProcAddress on Windows,
/// dlopen/dlsym elsewhere. A library that provides both entry points stays loaded until the
/// process ends (its entry points are used for the whole run); one that lacks either is
/// released again at once.
class ConverterLibrary {
 public:
  /// Why no entry points were bound.
  enum class Problem {
    kNone,           ///< both entry points are set
    kMissing,        ///< there is no such file
    kNotAConverter,  ///< the file is there but is no library (empty, damaged) or lacks either
  };

  /// The two entry points, both null or both set, and for null ones why and which file.
  struct EntryPoints {
    SetNkfOptionFn setOption = nullptr;
    NkfConvertFn convert = nullptr;
    Problem problem = Problem::kMissing;
    std::string file;
  };

  /// Loads the library at path (a path, or a bare name searched the platform's way) and looks
  /// up "SetNkfOption" and "NkfConvert". Both null when it cannot be loaded or lacks either;
  /// file is path.
  static EntryPoints Load(const char* path);

  /// Loads "nkf32" the way the program ships it: beside the executable first (nkf32.dll in the
  /// executable's folder, or libnkf32.so in the directory of /proc/self/exe), then by its plain
  /// name. Both null when neither gives a converter; problem and file then tell about the one
  /// beside the executable.
  static EntryPoints LoadDefault();
};
