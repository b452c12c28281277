// FileSave: the one writer, against real files: what it replaces, what it leaves alone, and
// paths around and past the 260-character limit of plain Windows paths.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "strings/FileLoad.h"
#include "strings/FileSave.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

namespace {

namespace fs = std::filesystem;
using Outcome = FileSave::Outcome;

size_t FilesIn(const TempFolder& folder) {
  return static_cast<size_t>(
      std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()));
}

TEST(FileSave, NeverTakesAnExistingNameAndRefusesAReadOnlyFile) {
  const TempFolder folder("file_save_names");
  // Whatever lies beside the target under a temporary-looking name stays as it is.
  const std::string target = folder.Write("out.txt", "old");
  folder.Write("out.txt.linsift-save", "precious");
  for (int n = 0; n < 40; ++n) {
    folder.Write(std::string(FileSave::kTempPrefix) + std::to_string(LINSIFT_PROCESS_ID()) + "-" +
                     std::to_string(n) + FileSave::kTempSuffix,
                 "kept " + std::to_string(n));
  }
  ASSERT_EQ(FileSave::Write(target.c_str(), "new", 3), Outcome::kSaved);
  EXPECT_EQ(TempFolder::Read(target), "new");
  EXPECT_EQ(TempFolder::Read(folder.PathOf("out.txt.linsift-save")), "precious");
  EXPECT_EQ(TempFolder::Read(folder.PathOf(std::string(FileSave::kTempPrefix) +
                                           std::to_string(LINSIFT_PROCESS_ID()) + "-0" +
                                           FileSave::kTempSuffix)),
            "kept 0");
  EXPECT_EQ(FilesIn(folder), 42u);

  fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(FileSave::Write(target.c_str(), "newer", 5), Outcome::kReadOnly);
  EXPECT_EQ(TempFolder::Read(target), "new");
  EXPECT_EQ(FilesIn(folder), 42u);
  fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
}

// Paths of 250 to 300 bytes save and load back: the temporary name does not grow with the
// target's, and long paths take the system's long form.
TEST(FileSave, PathsAroundAndPastTheOldLimitSaveAndLoad) {
  const TempFolder folder("file_save_long");
  const std::string base = folder.Path().string();
  for (const size_t length : {247u, 250u, 259u, 260u, 300u}) {
    ASSERT_LT(base.size() + 10, length);
    // Folders filling the path to `length` bytes with a name of 8 (no part over 100 bytes).
    fs::path sub;
    for (size_t left = length - base.size() - 10; left > 0;) {
      const size_t part = left > 101 ? 100 : left;
      sub /= std::string(part, 'd');
      left -= part + (left > part ? 1 : 0);
    }
    fs::create_directories(folder.Path() / sub);
    const std::string path = (folder.Path() / sub / "name.txt").string();
    ASSERT_EQ(path.size(), length);
    const std::string bytes = "len " + std::to_string(length) + "\n";
    ASSERT_EQ(FileSave::Write(path.c_str(), bytes.data(), bytes.size()), Outcome::kSaved) << length;
    const FileLoad load = FileLoad::Read(path.c_str());
    ASSERT_TRUE(load.Loaded()) << length;
    EXPECT_EQ(std::string(load.text->Data(), static_cast<size_t>(load.text->Length())), bytes);
  }
}

#ifndef _WIN32
// A link is written through to its target; a replaced file keeps its permission bits; a write
// the disk refuses (here: past the process's file size limit) leaves everything as it was.
TEST(FileSave, WritesThroughLinksKeepsModesAndSurvivesAFullDisk) {
  const TempFolder folder("file_save_posix");
  const std::string target = folder.Write("target.txt", "old");
  fs::permissions(target, static_cast<fs::perms>(0640));
  const std::string link = folder.PathOf("link.txt");
  fs::create_symlink("target.txt", link);
  ASSERT_EQ(FileSave::Write(link.c_str(), "through", 7), Outcome::kSaved);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(TempFolder::Read(target), "through");
  struct stat info;
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  const std::string dangling = folder.PathOf("dangling.txt");
  fs::create_symlink("made.txt", dangling);
  ASSERT_EQ(FileSave::Write(dangling.c_str(), "m", 1), Outcome::kSaved);
  EXPECT_EQ(TempFolder::Read(folder.PathOf("made.txt")), "m");

  const std::string loop = folder.PathOf("loop.txt");
  fs::create_symlink("loop.txt", loop);
  EXPECT_EQ(FileSave::Write(loop.c_str(), "x", 1), Outcome::kFailed);

  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string big(100000, 'b');
  const Outcome full = FileSave::Write(target.c_str(), big.data(), big.size());
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(full, Outcome::kFailed);
  EXPECT_EQ(TempFolder::Read(target), "through");
  EXPECT_EQ(FilesIn(folder), 5u);  // target, three links, made.txt: no temporary file
}
#endif

}  // namespace
