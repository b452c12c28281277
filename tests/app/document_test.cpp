// The window's document: its undo history against a plain model, loading real files with a
// truthful status, and saving byte for byte.
#include "app/Document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/HistorySpill.h"
#include "app/UiText.h"
#include "filters/ShownTexts.h"
#include "strings/FileSave.h"
#include "support/Cp932Text.h"
#include "support/TempFolder.h"
#include "text/Limits.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(const B2String1& s) {
  return std::string(s.Data(), static_cast<size_t>(s.Length()));
}

std::unique_ptr<B2String1> Text(const std::string& s) {
  return std::make_unique<B2String1>(s.data(), static_cast<int>(s.size()));
}

// ---- History against a model: every state in a list, a cursor on the current one ----------

class HistoryModel {
 public:
  HistoryModel(size_t maxSteps, size_t maxBytes) : maxSteps_(maxSteps), maxBytes_(maxBytes) {}

  void Replace(const std::string& text, const std::string& status) {
    texts_.resize(cursor_ + 1);
    statuses_.resize(cursor_ + 1);
    texts_.push_back(text);
    statuses_.push_back(status);
    ++cursor_;
    while (texts_.size() > 1 && (texts_.size() - 1 > maxSteps_ || UndoBytes() > maxBytes_)) {
      texts_.erase(texts_.begin());
      statuses_.erase(statuses_.begin());
      --cursor_;
    }
  }
  bool Undo() { return cursor_ > 0 ? (--cursor_, true) : false; }
  bool Redo() { return cursor_ + 1 < texts_.size() ? (++cursor_, true) : false; }

  const std::string& TextNow() const { return texts_[cursor_]; }
  const std::string& StatusNow() const { return statuses_[cursor_]; }
  size_t UndoCount() const { return cursor_; }
  size_t RedoCount() const { return texts_.size() - 1 - cursor_; }
  size_t UndoBytes() const {
    size_t total = 0;
    for (size_t i = 0; i < cursor_; ++i) total += texts_[i].size();
    return total;
  }

 private:
  size_t maxSteps_;
  size_t maxBytes_;
  std::vector<std::string> texts_{""};
  std::vector<std::string> statuses_{""};
  size_t cursor_ = 0;
};

TEST(DocumentHistory, RandomReplaceUndoRedoMatchTheModel) {
  // resident: what the steps may hold in memory; the rest goes to the spill file and back.
  struct Bounds {
    size_t steps;
    size_t bytes;
    size_t resident;
  } bounds[] = {{5, 150, 1000}, {20, 400, 100}, {3, 10, 0},     {1, 1000, 5},
                {0, 1000, 0},   {50, 0, 50},    {60, 3000, 300}};
  std::mt19937 random(20261208);
  for (const Bounds& b : bounds) {
    Document doc(b.steps, b.bytes, b.resident);
    HistoryModel model(b.steps, b.bytes);
    for (int op = 0; op < 3000; ++op) {
      const auto pick = random() % 10;
      if (pick < 4) {
        // Sizes from empty to past the byte bound, bytes from a small alphabet with NUL and CR.
        std::string text(random() % 3 == 0 ? random() % 200 : random() % 12, 'a');
        for (char& c : text) c = "ab\r\n\0\x95\x5C"[random() % 7];
        const std::string status = "s" + std::to_string(op);
        doc.Replace(Text(text), status);
        model.Replace(text, status);
      } else if (pick < 7) {
        EXPECT_EQ(doc.Undo(), model.Undo());
      } else {
        EXPECT_EQ(doc.Redo(), model.Redo());
      }
      ASSERT_EQ(Bytes(doc.Text()), model.TextNow()) << "op " << op << " bounds " << b.steps;
      ASSERT_EQ(doc.Status(), model.StatusNow()) << op;
      ASSERT_EQ(doc.History().UndoCount(), model.UndoCount()) << op;
      ASSERT_EQ(doc.History().RedoCount(), model.RedoCount()) << op;
      ASSERT_EQ(doc.History().UndoBytes(), model.UndoBytes()) << op;
      ASSERT_EQ(doc.CanUndo(), model.UndoCount() > 0);
      ASSERT_EQ(doc.CanRedo(), model.RedoCount() > 0);
      ASSERT_LE(doc.History().ResidentBytes(), b.resident) << op;
    }
  }
}

// The window's bounds: small texts keep 100 steps; the largest texts keep 25, five of them in
// memory and the older ones in the spill file. Run at a hundredth of the sizes (the full size
// is bench/history_bench's).
TEST(DocumentHistory, WindowBoundsKeepTwentyFiveLargeStepsMostlyInAFile) {
  Document small;
  for (int i = 0; i < 130; ++i) small.Replace(Text(std::to_string(i)), "");
  EXPECT_EQ(small.History().UndoCount(), static_cast<size_t>(limits::kHistorySteps));
  EXPECT_EQ(small.History().SpilledBytes(), 0);
  EXPECT_EQ(limits::kHistoryBytes / limits::kTextBytes, 25);
  EXPECT_EQ(limits::kHistoryMemoryBytes / limits::kTextBytes, 5);
  {
    Document doc(limits::kHistorySteps, limits::kHistoryBytes / 100,
                 limits::kHistoryMemoryBytes / 100);
    std::string big(limits::kTextBytes / 100, 'x');
    for (int i = 0; i < 27; ++i) {
      big[0] = static_cast<char>('A' + i);
      doc.Replace(Text(big), "big");
    }
    EXPECT_EQ(doc.History().UndoCount(), 25u);  // 25 of the largest = the bound
    EXPECT_EQ(doc.History().ResidentBytes(), 2000000u);
    EXPECT_EQ(doc.History().SpilledBytes(), 8000000);
    for (int i = 25; i >= 1; --i) {
      ASSERT_TRUE(doc.Undo());
      EXPECT_EQ(doc.Text().CharAt(0), 'A' + i) << i;
      EXPECT_EQ(doc.Text().Length(), 400000);
      ASSERT_LE(doc.History().ResidentBytes(), 2000000u);
    }
    EXPECT_FALSE(doc.Undo());
    while (doc.Redo()) {
    }
    EXPECT_EQ(doc.Text().CharAt(0), 'A' + 26);
  }
}

// The spill file is the process's own and goes with its history; files of processes that
// have ended are removed at the next start, those of running ones are left.
TEST(HistorySpill, StoresTextsReusesSpaceAndRemovesLeftovers) {
  std::string path;
  {
    HistorySpill spill;
    HistorySpill::Extent a, b, c;
    ASSERT_TRUE(spill.Put("first", 5, a));
    ASSERT_TRUE(spill.Put("second", 6, b));
    path = spill.Path();
    EXPECT_TRUE(fs::exists(fs::u8path(path)));
    spill.Free(a);
    EXPECT_FALSE(a.Valid());
    ASSERT_TRUE(spill.Put("ab", 2, c));  // fits where "first" was
    EXPECT_EQ(c.offset, 0);
    EXPECT_EQ(Bytes(*spill.Get(b)), "second");
    EXPECT_EQ(Bytes(*spill.Get(c)), "ab");
    EXPECT_EQ(spill.StoredBytes(), 8);
  }
  EXPECT_FALSE(fs::exists(fs::u8path(path)));

  const fs::path folder = fs::temp_directory_path();
  const fs::path dead = folder / (std::string(HistorySpill::kPrefix) + "2147483000-0.tmp");
  const fs::path mine = fs::u8path(path);
  const fs::path other = folder / (std::string(HistorySpill::kPrefix) + "x-0.tmp");
  for (const fs::path& p : {dead, mine, other}) std::ofstream(p) << "left";
  EXPECT_GE(HistorySpill::RemoveLeftovers(), 1);
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(mine));   // this process still runs
  EXPECT_TRUE(fs::exists(other));  // not one of the spill files' names
  fs::remove(mine);
  fs::remove(other);
}

TEST(Document, ReplaceKeepsTheFileNameAndStatusOnlyChangesAreNoSteps) {
  Document doc;
  EXPECT_EQ(doc.Title(), "Linsift");
  EXPECT_EQ(Bytes(doc.Text()), "");
  doc.Replace(Text("a\r\n"), "one");
  doc.SetStatus("counted");
  EXPECT_EQ(doc.History().UndoCount(), 1u);
  doc.Replace(std::unique_ptr<B2String1>(), "cleared");  // null: the empty text
  EXPECT_EQ(Bytes(doc.Text()), "");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Bytes(doc.Text()), "a\r\n");
  EXPECT_EQ(doc.Status(), "counted");

  // A filter's output with room for its worst case is kept at its length.
  auto roomy = Text("short");
  roomy->Reserve(10000000);
  doc.Replace(std::move(roomy), "");
  EXPECT_LT(doc.Text().Capacity(), 100);
  EXPECT_FALSE(doc.CanRedo());  // a new change drops the redo steps

  // The same bytes again (a file loaded twice) are a step that shares the current buffer.
  const std::shared_ptr<const B2String1> kept = doc.SharedText();
  doc.Replace(Text("short"), "again");
  EXPECT_EQ(doc.SharedText(), kept);
  EXPECT_EQ(doc.Status(), "again");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.SharedText(), kept);
  EXPECT_EQ(doc.Status(), "");
}

TEST(Document, NameOfSplitsAtSeparatorsButNotAtShiftJisTrailBytes) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\dir\\a.txt", "a.txt"},
      {"/tmp/x/b.log", "b.log"},
      {"C:x.txt", "x.txt"},
      {"C:\\\x95\x5C.txt", "\x95\x5C.txt"},                    // 表.txt: its 0x5C is no separator
      {"C:\\\x83\x5C\\\x83\x5C\x95\x5C", "\x83\x5C\x95\x5C"},  // ソ\ソ表
      {"plain", "plain"},
      {"dir\\", ""},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(Document::NameOf(path), name) << path;
}

// ---- Loading real files --------------------------------------------------------------------

TEST(Document, LoadSetsTextNameTitleAndATruthfulStatus) {
  const TempFolder folder("document_load");
  Document doc;
  std::string message;
  ASSERT_TRUE(doc.Load(folder.Write("a.txt", "x\ny\n").c_str(), message));
  EXPECT_EQ(Bytes(doc.Text()), "x\ny\n");
  EXPECT_EQ(message, filters::ShownTexts::Lines(3));
  EXPECT_EQ(doc.Status(), message);
  EXPECT_EQ(doc.FileName(), "a.txt");
  EXPECT_EQ(doc.Title(), "a.txt - Linsift");

  ASSERT_TRUE(doc.Load(folder.Write("stops.txt", std::string("p\nq\0rest", 8)).c_str(), message));
  EXPECT_EQ(Bytes(doc.Text()), "p\nq");
  EXPECT_EQ(Cp932ToUtf8(message), "全2行（NULまでの3バイトを読み込み、残り5バイトは未読み込み）");

  std::string big(40000001, 'a');
  big[10] = '\n';
  ASSERT_TRUE(doc.Load(folder.Write("big.txt", big).c_str(), message));
  EXPECT_EQ(doc.Text().Length(), 11);  // whole lines only
  EXPECT_EQ(Cp932ToUtf8(message), "全2行（40,000,001バイト中、先頭11バイトを読み込み）");

  ASSERT_TRUE(doc.Load(folder.Write("empty.txt", "").c_str(), message));
  EXPECT_EQ(Bytes(doc.Text()), "");
  EXPECT_EQ(message, filters::ShownTexts::Lines(1));

  // Each load starts the file's history: nothing to undo, nothing to save.
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.Undo());
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.Title(), "empty.txt - Linsift");
}

// A cut file says so in the title until the next load; a text that differs from its file is
// marked; typed and pasted text is unsaved work until it is saved.
TEST(Document, TitleTellsACutFileAndAChangedTextAndTypingIsUnsavedWork) {
  const TempFolder folder("document_title");
  std::string lines;
  for (int i = 0; i < 400000; ++i) lines += std::string(99, 'a') + '\n';
  lines += "0123456789";  // 40,000,010 bytes
  Document doc;
  std::string message;
  ASSERT_TRUE(doc.Load(folder.Write("big.txt", lines).c_str(), message));
  EXPECT_EQ(doc.Text().Length(), 40000000);
  EXPECT_EQ(Cp932ToUtf8(doc.Title()), "big.txt（先頭 40,000,000 バイト） - Linsift");
  EXPECT_EQ(Cp932ToUtf8(message),
            "全400001行（40,000,010バイト中、先頭40,000,000バイトを読み込み）");
  for (int i = 0; i < 3; ++i) doc.Replace(Text("r" + std::to_string(i)), "");
  EXPECT_EQ(Cp932ToUtf8(doc.Title()), "*big.txt（先頭 40,000,000 バイト） - Linsift");
  EXPECT_FALSE(doc.HasUnsavedWork());  // results of commands on a loaded file
  while (doc.Undo()) {
  }
  EXPECT_EQ(Cp932ToUtf8(doc.Title()), "big.txt（先頭 40,000,000 バイト） - Linsift");

  ASSERT_TRUE(doc.Load(folder.Write("a.txt", "a\n").c_str(), message));
  doc.Replace(Text("typed"), "", Document::Origin::kTyped);
  EXPECT_TRUE(doc.HasUnsavedWork());
  EXPECT_EQ(doc.Title(), "*a.txt - Linsift");
  ASSERT_TRUE(doc.Save(folder.PathOf("b.txt").c_str(), message));
  EXPECT_FALSE(doc.HasUnsavedWork());
  EXPECT_EQ(doc.Title(), "b.txt - Linsift");
  doc.Replace(Text("pasted"), "", Document::Origin::kPasted);
  EXPECT_TRUE(doc.HasUnsavedWork());
  EXPECT_EQ(doc.Title(), "*Linsift");  // the paste is no longer the file's text
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Title(), "b.txt - Linsift");
}

TEST(Document, AFailedLoadChangesNothingAndNamesTheFile) {
  const TempFolder folder("document_load_failed");
  Document doc;
  std::string message;
  ASSERT_TRUE(doc.Load(folder.Write("kept.txt", "kept").c_str(), message));
  const std::string huge = folder.Write("huge.txt", "0123456789");
  fs::resize_file(huge, 4294967296ull + 10);
  fs::create_directories(folder.PathOf("dir"));
  const std::pair<std::string, std::string> cases[] = {
      {folder.PathOf("gone.txt"), "開けません：gone.txt（見つかりません）"},
      {folder.PathOf("dir"), "開けません：dir（フォルダーです）"},
      {huge, "開けません：huge.txt（大きすぎます）"},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_FALSE(doc.Load(path.c_str(), message)) << path;
    EXPECT_EQ(Cp932ToUtf8(message), expected);
    EXPECT_EQ(Bytes(doc.Text()), "kept");
    EXPECT_EQ(doc.Status(), filters::ShownTexts::Lines(1));
    EXPECT_EQ(doc.FileName(), "kept.txt");
    EXPECT_EQ(doc.History().UndoCount(), 0u);
  }
}

// ---- Saving ----------------------------------------------------------------------------------

TEST(Document, SaveWritesTheBytesExactlyAndNamesTheFile) {
  const TempFolder folder("document_save");
  std::string all = std::string("\0\r\0\ra\r\nb\n\x95\x5C\x83\x5C", 14);  // NUL, lone CR, 表, ソ
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  Document doc;
  doc.Replace(Text(all), "status");
  std::string message;
  const std::string path = folder.PathOf("out.txt");
  ASSERT_TRUE(doc.Save(path.c_str(), message));
  EXPECT_EQ(TempFolder::Read(path), all);
  EXPECT_EQ(Cp932ToUtf8(message), "保存しました：out.txt");
  EXPECT_EQ(doc.Title(), "out.txt - Linsift");
  EXPECT_EQ(doc.Status(), "status");
  EXPECT_EQ(doc.History().UndoCount(), 1u);  // a save is no step

  // Saved bytes load back unchanged up to the first NUL, and an overwrite replaces them all.
  doc.Replace(Text("short"), "");
  ASSERT_TRUE(doc.Save(path.c_str(), message));
  EXPECT_EQ(TempFolder::Read(path), "short");
  doc.Replace(Text(""), "");
  ASSERT_TRUE(doc.Save(path.c_str(), message));
  EXPECT_EQ(TempFolder::Read(path), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(Document, AFailedSaveChangesNothingAndLeavesNoTemporaryFile) {
  const TempFolder folder("document_save_failed");
  Document doc;
  doc.Replace(Text("new"), "");
  std::string message;
  fs::create_directories(folder.PathOf("dir"));
  folder.Write("dir/inside", "x");
  const std::string cases[] = {folder.PathOf("no/such/folder.txt"), folder.PathOf("dir"), ""};
  for (const std::string& path : cases) {
    EXPECT_FALSE(doc.Save(path.c_str(), message)) << path;
    EXPECT_EQ(Cp932ToUtf8(message).rfind("保存できません：", 0), 0u) << Cp932ToUtf8(message);
    EXPECT_EQ(doc.FileName(), "");
  }
  EXPECT_EQ(Cp932ToUtf8(message), "保存できません：");
  EXPECT_TRUE(fs::is_directory(folder.PathOf("dir")));
  EXPECT_EQ(TempFolder::Read(folder.PathOf("dir/inside")), "x");
  // Only what the test made is left: no temporary file beside a target.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

}  // namespace
