// The window's document: its undo history against a plain model, loading real files with a
// truthful status, and saving byte for byte.
#include "app/Document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/FileSave.h"
#include "app/UiText.h"
#include "filters/ShownTexts.h"
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
  struct Bounds {
    size_t steps;
    size_t bytes;
  } bounds[] = {{5, 150}, {20, 400}, {3, 10}, {1, 1000}, {0, 1000}, {50, 0}};
  std::mt19937 random(20261208);
  for (const Bounds& b : bounds) {
    Document doc(b.steps, b.bytes);
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
    }
  }
}

// The window's bounds: small texts keep 100 steps; 40,000,000-byte texts keep what fits in
// 400,000,000 bytes. The texts are shared, never copied, so the test holds one of them.
TEST(DocumentHistory, WindowBoundsKeepTwentyStepsAndAboutFourHundredMegabytes) {
  Document small;
  for (int i = 0; i < 130; ++i) small.Replace(Text(std::to_string(i)), "");
  EXPECT_EQ(small.History().UndoCount(), static_cast<size_t>(limits::kHistorySteps));
  EXPECT_GE(limits::kHistorySteps, 20);

  const std::shared_ptr<const B2String1> big =
      std::make_shared<const B2String1>(std::string(40000000, 'x').c_str());
  Document doc;
  for (int i = 0; i < 15; ++i) doc.Replace(big, "big");
  EXPECT_EQ(doc.History().UndoCount(), 10u);  // 10 x 40,000,000 = the bound
  EXPECT_EQ(doc.History().UndoBytes(), 400000000u);
  while (doc.Undo()) EXPECT_EQ(doc.SharedText(), big);  // the same buffer, not a copy
  EXPECT_EQ(doc.History().RedoCount(), 10u);
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
  EXPECT_EQ(doc.Text().Length(), 40000000);
  EXPECT_EQ(Cp932ToUtf8(message), "全2行（40,000,001バイト中、先頭40,000,000バイトを読み込み）");

  ASSERT_TRUE(doc.Load(folder.Write("empty.txt", "").c_str(), message));
  EXPECT_EQ(Bytes(doc.Text()), "");
  EXPECT_EQ(message, filters::ShownTexts::Lines(1));

  // Undo takes the loads back one by one, with their names and statuses.
  ASSERT_TRUE(doc.Undo());
  ASSERT_TRUE(doc.Undo());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Bytes(doc.Text()), "x\ny\n");
  EXPECT_EQ(doc.Status(), filters::ShownTexts::Lines(3));
  EXPECT_EQ(doc.Title(), "a.txt - Linsift");
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Title(), "Linsift");
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
    EXPECT_EQ(doc.History().UndoCount(), 1u);
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
  EXPECT_FALSE(fs::exists(folder.PathOf(std::string("dir") + FileSave::kTempSuffix)));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

}  // namespace
