// Where the running test program lies, to find what the build put beside it.
#pragma once

#include <string>

namespace testsupport {

/// The directory of the running executable, with its trailing separator ('\' on Windows, '/'
/// elsewhere); "" when it cannot be told.
std::string ExecutableDirectory();

/// The path separator of the platform.
#ifdef _WIN32
constexpr char kSlash = '\\';
#else
constexpr char kSlash = '/';
#endif

}  // namespace testsupport
