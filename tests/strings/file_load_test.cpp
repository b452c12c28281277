// FileLoad: what a read of a real file gives, and the 64-bit size behind both loads.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "strings/B2String1.h"
#include "strings/FileLoad.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#endif

namespace {

namespace fs = std::filesystem;
using Outcome = FileLoad::Outcome;

std::string TextOf(const FileLoad& load) {
  return load.text ? std::string(load.text->Data(), static_cast<size_t>(load.text->Length()))
                   : "<none>";
}

// A file of size bytes that starts with head and is sparse behind it (no disk space taken).
std::string Sparse(const TempFolder& folder, const char* name, const std::string& head,
                   std::uintmax_t size) {
  const std::string path = folder.Write(name, head);
  fs::resize_file(path, size);
  return path;
}

TEST(FileLoad, TellsWhatWasLoadedFromEachKindOfFile) {
  const TempFolder folder("file_load_kinds");
  struct {
    const char* name;
    std::string bytes;
    Outcome outcome;
    std::string text;
    std::int64_t notLoaded;
  } cases[] = {
      {"whole", "a\r\nb\n\x95\x5C\r", Outcome::kWhole, "a\r\nb\n\x95\x5C\r", 0},
      {"empty", "", Outcome::kWhole, "", 0},
      {"withZero", std::string("ab\0cd\0", 6), Outcome::kEndedAtNul, "ab", 4},
      {"zeroFirst", std::string("\0x", 2), Outcome::kEndedAtNul, "", 2},
  };
  for (const auto& c : cases) {
    const FileLoad load = FileLoad::Read(folder.Write(c.name, c.bytes).c_str());
    EXPECT_EQ(load.outcome, c.outcome) << c.name;
    EXPECT_EQ(TextOf(load), c.text) << c.name;
    EXPECT_EQ(load.fileSize, static_cast<std::int64_t>(c.bytes.size())) << c.name;
    EXPECT_EQ(load.NotLoaded(), c.notLoaded) << c.name;
  }
}

TEST(FileLoad, KeepsTheWholeLinesWithinThe40MillionBytesOfALargerFile) {
  const TempFolder folder("file_load_cut");
  // Lines of 100 bytes, 40,000,010 in all: the last line break within the limit is at
  // 39,999,999 (the 400,000th line's), so every line but the rest is kept whole.
  std::string lines;
  for (int i = 0; i < 400000; ++i) lines += std::string(99, static_cast<char>('a' + i % 26)) + '\n';
  lines += "0123456789";
  lines[39999999 - 100] = 'x';  // one line shorter, one longer: the cut falls inside a line
  lines[39999998 - 100] = '\n';
  FileLoad cut = FileLoad::Read(folder.Write("lines", lines).c_str());
  EXPECT_EQ(cut.outcome, Outcome::kCut);
  ASSERT_TRUE(cut.Loaded());
  EXPECT_EQ(cut.text->Length(), 40000000);  // ends at the 400,000th line's LF
  lines.insert(39999990, "tail");           // now that LF lies behind the limit
  cut = FileLoad::Read(folder.Write("lines", lines).c_str());
  EXPECT_EQ(cut.text->Length(), 39999998 - 100 + 1);
  EXPECT_EQ(cut.text->CharAt(cut.text->Length() - 1), '\n');
  EXPECT_EQ(cut.fileSize, 40000014);

  // One line longer than the limit cannot be kept whole: its first 40,000,000 bytes are.
  std::string bytes(40000001, 'a');
  bytes[39999999] = 'z';
  FileLoad load = FileLoad::Read(folder.Write("over", bytes).c_str());
  EXPECT_EQ(load.outcome, Outcome::kCut);
  ASSERT_TRUE(load.Loaded());
  EXPECT_EQ(load.text->Length(), 40000000);
  EXPECT_EQ(load.text->CharAt(39999999), 'z');
  EXPECT_EQ(load.fileSize, 40000001);
  EXPECT_EQ(load.NotLoaded(), 1);

  bytes.resize(40000000);  // exactly the limit: whole
  load = FileLoad::Read(folder.Write("exact", bytes).c_str());
  EXPECT_EQ(load.outcome, Outcome::kWhole);
  EXPECT_EQ(load.text->Length(), 40000000);

  bytes += std::string("\0tail", 5);  // a NUL behind the limit: cut, not ended at it
  load = FileLoad::Read(folder.Write("zeroBehind", bytes).c_str());
  EXPECT_EQ(load.outcome, Outcome::kCut);
  EXPECT_EQ(load.NotLoaded(), 5);
}

TEST(FileLoad, RefusalsSayWhy) {
  const TempFolder folder("file_load_refused");
  const std::string file = folder.Write("file", "x");
  struct {
    std::string path;
    Outcome outcome;
  } cases[] = {
      {folder.PathOf("missing"), Outcome::kMissing},
      {folder.PathOf("no/such/folder/file"), Outcome::kMissing},
      {folder.Path().string(), Outcome::kFolder},
      {file + "/child", Outcome::kMissing},  // a file where a folder should be
  };
  for (const auto& c : cases) {
    const FileLoad load = FileLoad::Read(c.path.c_str());
    EXPECT_EQ(load.outcome, c.outcome) << c.path;
    EXPECT_FALSE(load.Loaded()) << c.path;
  }
  EXPECT_EQ(FileLoad::Read(nullptr).outcome, Outcome::kMissing);

#ifndef _WIN32
  // Unreadable: a link that leads to itself (even root cannot follow it) and, for anyone
  // but root, a file without read permission.
  const std::string loop = folder.PathOf("loop");
  fs::create_symlink(loop, loop);
  EXPECT_EQ(FileLoad::Read(loop.c_str()).outcome, Outcome::kUnreadable);
  fs::permissions(file, fs::perms::none);
  if (geteuid() != 0) {
    EXPECT_EQ(FileLoad::Read(file.c_str()).outcome, Outcome::kUnreadable);
  }
  fs::permissions(file, fs::perms::owner_all);
#endif
}

// Sizes at and past 2 GiB and 4 GiB, as sparse files. A 32-bit size would see 4 GiB + 10
// bytes as 10 bytes; both loads refuse it.
TEST(FileLoad, TakesTheSizeIn64BitsAndRefuses2GiBAndMore) {
  const TempFolder folder("file_load_huge");
  const std::uintmax_t sizes[] = {2147483647ull, 4294967296ull + 10, 8589934592ull + 1};
  for (const std::uintmax_t size : sizes) {
    const std::string path = Sparse(folder, "huge", "0123456789", size);
    const FileLoad load = FileLoad::Read(path.c_str());
    EXPECT_EQ(load.outcome, Outcome::kTooLarge) << size;
    EXPECT_EQ(load.fileSize, static_cast<std::int64_t>(size));
    EXPECT_FALSE(load.Loaded());
    B2String1 s("keep");
    EXPECT_FALSE(s.LoadFile(path.c_str())) << size;
    EXPECT_TRUE(s.Equals("keep"));
  }

  // One byte below the refusal: the first 40,000,000 bytes, which end at the first zero.
  const std::string below = Sparse(folder, "below", "abc\n", 2147483646ull);
  const FileLoad load = FileLoad::Read(below.c_str());
  EXPECT_EQ(load.outcome, Outcome::kEndedAtNul);
  EXPECT_EQ(TextOf(load), "abc\n");
  EXPECT_EQ(load.NotLoaded(), 2147483646ll - 4);
  B2String1 s;
  ASSERT_TRUE(s.LoadFile(below.c_str()));  // LoadFile keeps NULs; a final one at the cap goes
  EXPECT_EQ(s.Length(), 40000000 - 1);
}

#ifndef _WIN32
// The reported size only sizes the first buffer: a file that reports 0 (a device, /proc) and
// one that grows while it is read are read to their end.
TEST(FileLoad, ReadsToTheEndWhateverSizeTheFileReports) {
  const FileLoad proc = FileLoad::Read("/proc/self/status");
  EXPECT_EQ(proc.outcome, Outcome::kWhole);
  ASSERT_TRUE(proc.Loaded());
  EXPECT_NE(TextOf(proc).find("Name:"), std::string::npos);
  EXPECT_EQ(proc.fileSize, proc.text->Length());

  // A pipe reports 0 bytes while a writer adds 300,000 more in pieces.
  const TempFolder folder("file_load_growing");
  const std::string fifo = folder.PathOf("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string written;
  for (int i = 0; i < 30000; ++i) written += "line " + std::to_string(i % 10000) + "\n";
  std::thread writer([&] {
    std::FILE* f = std::fopen(fifo.c_str(), "wb");
    for (size_t at = 0; at < written.size(); at += 4096) {
      std::fwrite(written.data() + at, 1, std::min<size_t>(4096, written.size() - at), f);
      std::fflush(f);
    }
    std::fclose(f);
  });
  const FileLoad grown = FileLoad::Read(fifo.c_str());
  writer.join();
  EXPECT_EQ(grown.outcome, Outcome::kWhole);
  EXPECT_EQ(TextOf(grown), written);
  EXPECT_EQ(grown.fileSize, static_cast<std::int64_t>(written.size()));
}
#endif

}  // namespace
