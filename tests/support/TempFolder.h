// A folder of its own for a test's files, removed with everything in it afterwards.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#define LINSIFT_PROCESS_ID _getpid
#else
#include <unistd.h>
#define LINSIFT_PROCESS_ID getpid
#endif

class TempFolder {
 public:
  /// Creates <temp>/linsift_<name>_<process id> afresh: test programs that run at the same
  /// time (two build trees, or ctest -j) never share a folder.
  explicit TempFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("linsift_" + name + "_" + std::to_string(LINSIFT_PROCESS_ID()))) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  /// The path of name inside the folder (nothing is created).
  std::string PathOf(const std::string& name) const { return (path_ / name).string(); }
  /// Writes bytes to name inside the folder and gives its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = PathOf(name);
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
    return path;
  }
  /// The whole content of the file at path; "<missing>" when it cannot be opened.
  static std::string Read(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return "<missing>";
    std::string bytes;
    char block[65536];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0) bytes.append(block, n);
    std::fclose(f);
    return bytes;
  }

 private:
  std::filesystem::path path_;
};
