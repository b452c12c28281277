// B2StringVector and the Split operations of B2String1.
#include "strings/B2StringVector.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/StringContent.h"
#include "tests/strings/StringModel.h"

namespace {

using testsupport::Content;

std::vector<std::string> Items(const B2Strings* list) {
  std::vector<std::string> r;
  for (int i = 0; i < list->Count(); i++) r.push_back(Content(list->Get(i)));
  return r;
}

using Pieces = std::vector<std::string>;

B2String1 Bytes(const std::string& s) { return B2String1(s.data(), static_cast<int>(s.size())); }

constexpr int kMaxItems = 4194305;

// A B2String that is not a B2String1: lists refuse it.
class OtherString : public B2String1 {
 public:
  using B2String1::B2String1;
  int TypeCode() const override { return 9; }
};

TEST(Split, ByByte) {
  struct {
    std::string text;
    Pieces pieces;
  } cases[] = {{"a\nb", {"a", "b"}}, {"a\nb\n", {"a", "b", ""}},
               {"\na", {"", "a"}},   {"a\n\nb", {"a", "", "b"}},
               {"abc", {"abc"}},     {"", {""}},
               {"\n", {"", ""}},     {std::string("a\0\nb\r", 5), {std::string("a\0", 2), "b\r"}}};
  for (const auto& t : cases) {
    B2String1 s = Bytes(t.text);
    std::unique_ptr<B2StringVector> list(s.Split('\n'));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Items(list.get()), t.pieces) << t.text;
    EXPECT_EQ(Content(&s), t.text);  // the split string is unchanged
  }
}

TEST(Split, BySeparatorRun) {
  struct {
    std::string text;
    std::string sep;
    bool made;
    Pieces pieces;
  } cases[] = {{"ab", "ab", true, {"", ""}},
               {"xabyab", "ab", true, {"x", "y", ""}},
               {"a", "ab", false, {}},
               {"aaa", "aa", true, {"", "a"}},
               {"abc", "x", true, {"abc"}},
               {"", "\n", false, {}},
               {"a\r\nb", "\r\n", true, {"a", "b"}}};
  for (const auto& t : cases) {
    B2String1 s = Bytes(t.text);
    std::unique_ptr<B2StringVector> list(s.Split(t.sep.c_str()));
    ASSERT_EQ(list != nullptr, t.made) << t.text;
    if (list) {
      EXPECT_EQ(Items(list.get()), t.pieces) << t.text;
    }
  }
  B2String1 s("abc");
  EXPECT_EQ(s.Split(""), nullptr);
  EXPECT_EQ(s.Split(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(s.Split(nullptr, 1), nullptr);
  EXPECT_EQ(s.Split("b", 0), nullptr);
  EXPECT_EQ(s.Split("abcd", 4), nullptr);
}

TEST(Split, KeepsAtMostTheItemLimit) {
  // 4,194,306 LF bytes make 4,194,307 pieces; the list keeps the first 4,194,305.
  std::string text;
  text.reserve(2 * 4194306 + 8);
  for (int i = 0; i < 4194306; i++) text += (i == kMaxItems - 2 ? "x\n" : "\n");
  B2String1 s = Bytes(text);
  std::unique_ptr<B2StringVector> list(s.Split('\n'));
  EXPECT_EQ(list->Count(), kMaxItems);
  EXPECT_EQ(list->Capacity(), kMaxItems);
  EXPECT_EQ(Content(list->Get(kMaxItems - 2)), "x");
  EXPECT_FALSE(list->Add("one more"));
  EXPECT_FALSE(list->AddBytes("y", 1));
  EXPECT_EQ(list->Count(), kMaxItems);
  list.reset();
  std::unique_ptr<B2StringVector> byRun(s.Split("\n"));
  EXPECT_EQ(byRun->Count(), kMaxItems);
  byRun.reset();
}

TEST(B2StringVector, GetCountAndRemoveAt) {
  B2StringVector list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 32);
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_TRUE(list.Add("a"));
  EXPECT_TRUE(list.Add(B2String1("b")));
  EXPECT_TRUE(list.Add(""));
  EXPECT_FALSE(list.Add(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(list.Add(OtherString("x")));
  EXPECT_EQ(Items(&list), (Pieces{"a", "b", ""}));
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_EQ(list.Get(3), nullptr);
  EXPECT_EQ(list[1], list.Get(1));
  EXPECT_FALSE(list.RemoveAt(3));
  EXPECT_FALSE(list.RemoveAt(-1));
  EXPECT_TRUE(list.RemoveAt(0));
  EXPECT_EQ(Items(&list), (Pieces{"b", ""}));
}

TEST(B2StringVector, ItemsAreTheListsOwnCopies) {
  B2StringVector list;
  B2String1 source("abc");
  list.Add(source);
  source.Set("zzz");
  EXPECT_EQ(Content(list.Get(0)), "abc");
  list.Get(0)->Append('d');
  EXPECT_EQ(Content(list.Get(0)), "abcd");
  EXPECT_NE(list.Get(0), &source);
}

TEST(B2StringVector, ClearAndCapacityGrowth) {
  B2StringVector list;
  EXPECT_TRUE(list.Clear());
  EXPECT_EQ(list.Capacity(), 32);
  for (int i = 0; i < 33; i++) list.Add("x");
  EXPECT_EQ(list.Capacity(), 64);
  for (int i = 0; i < 100; i++) list.RemoveAt(0);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 64);  // never shrinks on removal
  EXPECT_TRUE(list.Clear());       // empty: nothing happens
  EXPECT_EQ(list.Capacity(), 64);
  list.Add("y");
  EXPECT_TRUE(list.Clear());
  EXPECT_EQ(list.Capacity(), 32);
  EXPECT_EQ(list.Count(), 0);

  EXPECT_TRUE(list.Reserve(32));
  EXPECT_FALSE(list.Reserve(kMaxItems + 1));
  EXPECT_TRUE(list.Reserve(1000));  // one doubling only
  EXPECT_EQ(list.Capacity(), 64);
}

TEST(B2StringVector, SetAddAllAndOperators) {
  B2StringVector three;
  three.Add("a");
  three.Add("b");
  three.Add("c");
  B2StringVector one;
  one.Add("z");
  EXPECT_EQ(one.AddAll(&three), 3);
  EXPECT_EQ(Items(&one), (Pieces{"z", "a", "b", "c"}));
  EXPECT_EQ(one.AddAll(nullptr), 0);
  EXPECT_FALSE(one.Set(nullptr));
  EXPECT_EQ(one.Count(), 4);
  EXPECT_TRUE(one.Set(&three));
  EXPECT_EQ(Items(&one), (Pieces{"a", "b", "c"}));
  EXPECT_NE(one.Get(0), three.Get(0));

  // The list itself as the source: a snapshot is copied.
  EXPECT_TRUE(one.Set(&one));
  EXPECT_EQ(Items(&one), (Pieces{"a", "b", "c"}));
  EXPECT_EQ(one.AddAll(&one), 3);
  EXPECT_EQ(Items(&one), (Pieces{"a", "b", "c", "a", "b", "c"}));

  B2StringVector copy(three);
  EXPECT_EQ(Items(&copy), (Pieces{"a", "b", "c"}));
  B2StringVector plus = three + "d";
  EXPECT_EQ(Items(&plus), (Pieces{"a", "b", "c", "d"}));
  B2StringVector plusString = three + B2String1("e");
  EXPECT_EQ(Items(&plusString), (Pieces{"a", "b", "c", "e"}));
  EXPECT_EQ(three.Count(), 3);
  three += "f";
  three += B2String1("g");
  EXPECT_EQ(Items(&three), (Pieces{"a", "b", "c", "f", "g"}));
  copy = three;
  EXPECT_EQ(Items(&copy), Items(&three));
}

TEST(B2StringVector, AddRefusesPastTheItemLimit) {
  B2StringVector list;
  for (int i = 0; i < kMaxItems; i++) ASSERT_TRUE(list.AddBytes(nullptr, 0));
  EXPECT_EQ(list.Capacity(), kMaxItems);
  EXPECT_FALSE(list.Add(B2String1("x")));
  EXPECT_FALSE(list.Add("x"));
  EXPECT_EQ(list.Count(), kMaxItems);
  // AddAll onto a full list visits every source item and adds none.
  B2StringVector two;
  two.Add("a");
  two.Add("b");
  EXPECT_EQ(list.AddAll(&two), 2);
  EXPECT_EQ(list.Count(), kMaxItems);
}

// A list larger than the limit can only come from another implementation; a fake one.
class HugeList : public B2StringVector {
 public:
  int Count() const override { return kMaxItems + 1; }
};

TEST(B2StringVector, SetFromAnOversizedSourceEmptiesTheList) {
  B2StringVector list;
  list.Add("a");
  HugeList huge;
  EXPECT_FALSE(list.Set(&huge));
  EXPECT_EQ(list.Count(), 0);
}

TEST(Split, RandomTextsMatchTheReferenceModel) {
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; i++) {
    std::string text;
    const int n = static_cast<int>(rng() % 40);
    for (int k = 0; k < n; k++) text += "ab\n\0"[rng() % 4];
    const std::string sep = std::string("ab\n", 3).substr(rng() % 3, 1 + rng() % 2);
    stringmodel::Model model;
    model.s = text;
    B2String1 s = Bytes(text);
    std::vector<std::string> expected;
    const bool made = model.Split(sep.data(), static_cast<int>(sep.size()), &expected);
    std::unique_ptr<B2StringVector> list(s.Split(sep.data(), static_cast<int>(sep.size())));
    ASSERT_EQ(list != nullptr, made) << stringmodel::Show(text) << " / " << sep;
    if (list) {
      ASSERT_EQ(Items(list.get()), expected) << stringmodel::Show(text) << " / " << sep;
      ASSERT_EQ(list->Capacity(), stringmodel::ListCapacityFor(list->Count()));
      for (int k = 0; k < list->Count(); k++) {
        ASSERT_EQ(list->Get(k)->Capacity(), std::max(32, list->Get(k)->Length()));
      }
    }
  }
}

}  // namespace
