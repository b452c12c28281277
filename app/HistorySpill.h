// The file the document's older undo and redo texts are moved to, so that many steps of large
// texts are kept without holding them all in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "strings/B2String1.h"

/// A store of texts in one temporary file of the process's own:
/// <temp folder>/linsift-undo-<process id>-<n>.tmp. The file is made at the first Put and
/// removed when the store goes; RemoveLeftovers removes those of processes that have ended
/// (a crash, a killed process). Space given back by Free is used again, so the file holds
/// about what is stored, and it is emptied whenever nothing is.
class HistorySpill {
 public:
  /// Where one text lies in the file.
  struct Extent {
    std::int64_t offset = -1;
    std::size_t size = 0;
    bool Valid() const { return offset >= 0; }
  };

  HistorySpill() = default;
  HistorySpill(const HistorySpill&) = delete;
  HistorySpill& operator=(const HistorySpill&) = delete;
  /// Closes and removes the file.
  ~HistorySpill();

  /// Stores size bytes; false, with nothing stored, when the file cannot be made or written
  /// (a full disk).
  bool Put(const char* bytes, std::size_t size, Extent& where);
  /// The text stored at where; null when it cannot be read back.
  std::unique_ptr<B2String1> Get(const Extent& where);
  /// Gives the space of a text back; where becomes invalid.
  void Free(Extent& where);

  /// Bytes stored (not freed).
  std::int64_t StoredBytes() const { return stored_; }
  /// The file's path; empty before the first Put.
  const std::string& Path() const { return path_; }

  /// The names of the files: kPrefix, the process id, '-', a number, kSuffix.
  static constexpr char kPrefix[] = "linsift-undo-";
  static constexpr char kSuffix[] = ".tmp";
  /// Removes the files in the temporary folder left by processes that no longer run. Returns
  /// how many it removed.
  static int RemoveLeftovers();

 private:
  bool Open();

  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string path_;
  std::int64_t end_ = 0;     // bytes of the file in use, free space included
  std::int64_t stored_ = 0;  // bytes of the texts stored
  std::vector<std::pair<std::int64_t, std::int64_t>> free_;  // (offset, size), by offset
};
