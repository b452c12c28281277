// One input of linsift-cli: a named file, or standard input.
#pragma once

#include <string>

/// An input opened for reading from its start (standard input: from where it stands). Closes
/// a file it opened; standard input stays open.
class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  /// Opens the file at path, or standard input for "-". False, with error set to a one-line
  /// reason that names the file, when it is missing, a directory or cannot be opened.
  bool Open(const std::string& path, std::string& error);

  /// True when the open input is a regular file that is also the open file descriptor fd (the
  /// same device and inode; on Windows the same volume and file index): reading it while
  /// writing fd would read the output back, without end.
  bool IsSameFileAs(int fd) const;

  /// The open file descriptor; -1 before a successful Open.
  int Descriptor() const { return fd_; }
  /// The file's name as given, or "(standard input)".
  const std::string& Name() const { return name_; }

  static constexpr const char* kStandardInputName = "(standard input)";

 private:
  int fd_ = -1;
  bool owned_ = false;
  std::string name_;
};
