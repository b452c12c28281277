// Binding the converter library at start-up: the platform edge the window and the command line
// call before they convert.
#pragma once

#include "binding/ConverterLibrary.h"

/// Loads nkf32 (ConverterLibrary::LoadDefault) and, when both entry points were found, sets
/// its option "-s" (Shift_JIS output) once and returns them; otherwise both are null, problem and
/// file tell why, and SetNkfOption is not called. The library stays loaded until the process ends,
/// so the returned NkfConvert may be handed to ConvertLines for the whole run.
ConverterLibrary::EntryPoints BindConverter();

/// As BindConverter, with the library at path (tests bind a stand-in this way).
ConverterLibrary::EntryPoints BindConverterAt(const char* path);
