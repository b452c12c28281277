// B2String1: construction, capacity policy, writing, assignment, comparison, access, operators.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "strings/B2String1.h"
#include "support/StringContent.h"

namespace {

using testsupport::Content;

constexpr int kMax = 40000000;

TEST(B2String1Core, FreshStringIsEmptyWithCapacity32AndAnEmptyCStr) {
  B2String1 s;
  EXPECT_EQ(s.Length(), 0);
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.LastIndex(), -1);
  EXPECT_EQ(s.Capacity(), 32);
  EXPECT_EQ(s.MinCapacity(), 32);
  EXPECT_EQ(s.MaxLength(), kMax);
  EXPECT_EQ(s.TypeCode(), 8);
  EXPECT_EQ(s.TypeFlags(), 0);
  ASSERT_NE(s.CStr(), nullptr);
  EXPECT_STREQ(s.CStr(), "");
}

TEST(B2String1Core, ConstructorsCopyAndEmptySourcesGiveEmptyStrings) {
  EXPECT_EQ(B2String1("").Length(), 0);
  EXPECT_EQ(B2String1(static_cast<const char*>(nullptr)).Length(), 0);
  EXPECT_EQ(B2String1("abc", 0).Length(), 0);
  EXPECT_EQ(B2String1(nullptr, 5).Length(), 0);
  B2String1 empty;
  B2String1 copyOfEmpty(empty);
  EXPECT_EQ(copyOfEmpty.Length(), 0);
  EXPECT_EQ(copyOfEmpty.Capacity(), 32);

  B2String1 text("hello");
  B2String1 copy(text);
  EXPECT_EQ(Content(copy), "hello");
  EXPECT_NE(copy.Data(), text.Data());  // copying always copies the bytes
  copy.SetCharAt(0, 'j');
  EXPECT_EQ(Content(text), "hello");

  const B2String& asInterface = text;
  B2String1 fromInterface(asInterface);
  EXPECT_EQ(Content(fromInterface), "hello");

  // A fresh string filled in one step gets exactly the size it needs above 32.
  std::string hundred(100, 'x');
  EXPECT_EQ(B2String1(hundred.c_str()).Capacity(), 100);
  EXPECT_EQ(B2String1(hundred.data(), 20).Capacity(), 32);
}

TEST(B2String1Core, SetRefusesEmptyAndNullSourcesAndKeepsTheContent) {
  B2String1 s("abc");
  EXPECT_FALSE(s.Set(""));
  EXPECT_FALSE(s.Set(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(s.Set("xyz", 0));
  EXPECT_FALSE(s.Set("xyz", -1));
  EXPECT_FALSE(s.Set(nullptr, 3));
  EXPECT_FALSE(s.Set(B2String1()));
  EXPECT_EQ(Content(s), "abc");

  B2String1 ten("0123456789");
  EXPECT_TRUE(ten.Set("abcde", 5));
  EXPECT_EQ(Content(ten), "abcde");
  EXPECT_EQ(ten.Capacity(), 32);
  EXPECT_TRUE(ten.Set(B2String1("xy")));
  EXPECT_EQ(Content(ten), "xy");
  // Set of itself is harmless.
  EXPECT_TRUE(ten.Set(ten));
  EXPECT_EQ(Content(ten), "xy");
}

TEST(B2String1Core, WriteAtOverwritesAndCutsAndRefusesBadArguments) {
  B2String1 s("hello");
  EXPECT_TRUE(s.WriteAt(0, "ab", 2));
  EXPECT_EQ(Content(s), "ab");
  EXPECT_TRUE(s.WriteAt(1, "XYZ", 3));
  EXPECT_EQ(Content(s), "aXYZ");

  struct {
    int pos;
    const char* bytes;
    int count;
  } refused[] = {{-1, "a", 1},       {0, nullptr, 1}, {0, "a", 0},         {0, "a", -5},
                 {kMax - 1, "a", 1}, {kMax, "a", 1},  {2147483647, "a", 1}};
  for (const auto& r : refused) {
    EXPECT_FALSE(s.WriteAt(r.pos, r.bytes, r.count)) << r.pos << " " << r.count;
    EXPECT_EQ(Content(s), "aXYZ");
    EXPECT_EQ(s.Capacity(), 32);
  }

  // A gap past the end reads as zero bytes.
  B2String1 gap("ab");
  EXPECT_TRUE(gap.WriteAt(5, "c", 1));
  EXPECT_EQ(Content(gap), std::string("ab\0\0\0c", 6));
}

TEST(B2String1Core, WriteAtFromTheStringsOwnBufferSurvivesGrowth) {
  B2String1 s("0123456789012345678901234567890");  // 31 bytes in a 32-byte buffer
  EXPECT_TRUE(s.Append(s));
  EXPECT_EQ(Content(s), "01234567890123456789012345678900123456789012345678901234567890");
  EXPECT_EQ(s.Capacity(), 64);
  EXPECT_TRUE(s.WriteAt(2, s.Data(), 5));  // overlapping, no growth
  EXPECT_EQ(Content(s), "0101234");
  EXPECT_TRUE(s.WriteAt(s.Length(), s.Data(), s.Length()));
  EXPECT_EQ(Content(s), "01012340101234");
}

TEST(B2String1Core, CapacityDoublesOnAppendAndIsExactFromEmpty) {
  B2String1 s;
  for (int i = 0; i < 33; i++) ASSERT_TRUE(s.Append('x'));
  EXPECT_EQ(s.Capacity(), 64);
  for (int i = 33; i < 129; i++) ASSERT_TRUE(s.Append('x'));
  EXPECT_EQ(s.Capacity(), 256);

  B2String1 hundred;
  std::string bytes(100, 'y');
  ASSERT_TRUE(hundred.Append(bytes.c_str()));
  EXPECT_EQ(hundred.Capacity(), 100);  // no doubling on the empty path
  ASSERT_TRUE(hundred.Append('z'));
  EXPECT_EQ(hundred.Capacity(), 200);
  // A request beyond twice the capacity is taken exactly.
  std::string big(500, 'q');
  ASSERT_TRUE(hundred.Append(big.c_str()));
  EXPECT_EQ(hundred.Capacity(), 601);
}

TEST(B2String1Core, ReserveFollowsThePolicyAndRefusesOutOfRange) {
  B2String1 s("abc");
  EXPECT_FALSE(s.Reserve(-1));
  EXPECT_FALSE(s.Reserve(kMax + 1));
  EXPECT_EQ(s.Capacity(), 32);
  EXPECT_TRUE(s.Reserve(40));
  EXPECT_EQ(s.Capacity(), 64);  // doubled: 40 < 64
  EXPECT_TRUE(s.Reserve(10));
  EXPECT_EQ(s.Capacity(), 32);  // shrinks, never below 32
  EXPECT_EQ(Content(s), "abc");
  EXPECT_TRUE(s.Reserve(100));
  EXPECT_EQ(s.Capacity(), 100);  // not below twice 32: exact
  // A request below the length cuts the content.
  B2String1 long40(std::string(40, 'a').c_str());
  EXPECT_TRUE(long40.Reserve(35));
  EXPECT_EQ(long40.Length(), 35);
  EXPECT_EQ(long40.Capacity(), 35);
  // Past 20,000,000 growth is exact, below it doubles.
  B2String1 grow;
  ASSERT_TRUE(grow.Reserve(19999999));
  grow.Append('a');
  ASSERT_TRUE(grow.Reserve(20000000));
  EXPECT_EQ(grow.Capacity(), 39999998);
  B2String1 exact;
  ASSERT_TRUE(exact.Reserve(20000000));
  exact.Append('a');
  ASSERT_TRUE(exact.Reserve(20000001));
  EXPECT_EQ(exact.Capacity(), 20000001);
  EXPECT_TRUE(exact.Reserve(kMax));
  EXPECT_EQ(exact.Capacity(), kMax);
}

TEST(B2String1Core, LengthLimitClipsAndRefusesAppends) {
  std::string bytes(kMax + 1, 'a');
  bytes[kMax - 1] = 'z';
  B2String1 s;
  ASSERT_TRUE(s.Set(bytes.data(), kMax + 1));
  EXPECT_EQ(s.Length(), kMax);  // the first 40,000,000 bytes
  EXPECT_EQ(s.CharAt(kMax - 1), 'z');
  EXPECT_FALSE(s.Append('b'));
  EXPECT_EQ(s.Capacity(), kMax);

  B2String1 almost(bytes.data(), kMax - 5);
  EXPECT_TRUE(almost.Append("0123456789"));
  EXPECT_EQ(almost.Length(), kMax);
  EXPECT_EQ(Content(almost).substr(kMax - 6), "a01234");
  EXPECT_FALSE(almost.Append("x"));

  B2String1 at39(bytes.data(), kMax - 1);
  EXPECT_FALSE(at39.Append('x'));
  EXPECT_FALSE(at39.Append("xy"));
  EXPECT_FALSE(at39.Append(B2String1("q")));
  EXPECT_EQ(at39.Length(), kMax - 1);
  EXPECT_FALSE(at39.WriteAt(kMax - 1, "x", 1));
  EXPECT_TRUE(at39.WriteAt(kMax - 2, "xyz", 3));  // clipped to 2 bytes
  EXPECT_EQ(at39.Length(), kMax);
  EXPECT_EQ(at39.CharAt(kMax - 1), 'y');
}

TEST(B2String1Core, EqualsComparesBytesAndTreatsNullAsDifferent) {
  B2String1 empty;
  B2String1 abc("abc");
  EXPECT_TRUE(empty.Equals(""));
  EXPECT_FALSE(abc.Equals(""));
  EXPECT_FALSE(abc.Equals(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(abc.Equals(static_cast<const B2String*>(nullptr)));
  EXPECT_FALSE(abc.Equals(nullptr, 3));
  EXPECT_TRUE(empty.Equals("x", 0));
  EXPECT_FALSE(abc.Equals("abc", 0));
  EXPECT_TRUE(abc.Equals("abc"));
  EXPECT_FALSE(abc.Equals("abd"));
  EXPECT_FALSE(abc.Equals("ab"));
  EXPECT_TRUE(abc.Equals(&abc));
  B2String1 withNul("a\0b", 3);
  EXPECT_TRUE(withNul.Equals("a\0b", 3));
  EXPECT_FALSE(withNul.Equals("a"));  // the C text stops at its NUL
  EXPECT_TRUE(B2String1("\x95\x5C").Equals("\x95\x5C"));
  EXPECT_FALSE(B2String1("\x95\x5C").Equals("\x95\x5D"));
  EXPECT_TRUE(abc == "abc");
  EXPECT_TRUE(abc == B2String1("abc"));
  EXPECT_FALSE(abc == static_cast<const char*>(nullptr));
}

TEST(B2String1Core, ElementAccessIsSignedForCharAndUnsignedForByte) {
  B2String1 s(
      "\xE3"
      "a");
  EXPECT_EQ(s.CharAt(0), -29);
  EXPECT_EQ(s.ByteAt(0), 227);
  EXPECT_EQ(s.CharAt(1), 'a');
  EXPECT_EQ(s.CharAt(-1), 0);
  EXPECT_EQ(s.CharAt(2), 0);
  EXPECT_EQ(s.ByteAt(-1), 0);
  EXPECT_EQ(s.ByteAt(2), 0);
  EXPECT_TRUE(s.SetCharAt(1, '\xFF'));
  EXPECT_EQ(s.ByteAt(1), 255);
  EXPECT_FALSE(s.SetCharAt(2, 'x'));
  EXPECT_FALSE(s.SetCharAt(-1, 'x'));
  EXPECT_EQ(s.Length(), 2);
}

TEST(B2String1Core, CStrIsAFreshCopyUpToTheFirstNulForCReaders) {
  B2String1 s("a\0b", 3);
  EXPECT_EQ(s.Length(), 3);
  const char* c = s.CStr();
  EXPECT_STREQ(c, "a");
  EXPECT_EQ(std::memcmp(c, "a\0b\0", 4), 0);  // all bytes copied, NUL added
  s.Set("xyz");
  EXPECT_STREQ(s.CStr(), "xyz");  // rebuilt on every call
  EXPECT_NE(static_cast<const void*>(s.CStr()), static_cast<const void*>(s.Data()));
}

TEST(B2String1Core, OperatorsLeaveTheirOperandsUnchanged) {
  B2String1 a("ab");
  B2String1 b("cd");
  B2String1 sum = a + b;
  EXPECT_EQ(Content(sum), "abcd");
  EXPECT_EQ(Content(a), "ab");
  EXPECT_EQ(Content(b), "cd");
  EXPECT_EQ(Content(a + "xy"), "abxy");
  EXPECT_EQ(Content(a + ""), "ab");
  EXPECT_EQ(Content(a), "ab");
  a += b;
  a += "!";
  a += static_cast<const char*>(nullptr);
  EXPECT_EQ(Content(a), "abcd!");
  B2String1 assigned;
  assigned = a;
  EXPECT_EQ(Content(assigned), "abcd!");
  assigned = B2String1();
  EXPECT_EQ(assigned.Length(), 0);
  const B2String1& alias = assigned;
  assigned = alias;
  EXPECT_EQ(assigned.Length(), 0);
}

TEST(B2String1Core, ResetAndZeroEmptyTheString) {
  B2String1 s(std::string(1000, 'x').c_str());
  s.Reset();
  EXPECT_EQ(s.Length(), 0);
  EXPECT_EQ(s.Capacity(), 32);
  B2String1 z(std::string(100, 'x').c_str());
  z.Zero();
  EXPECT_EQ(z.Length(), 0);
  EXPECT_EQ(z.Capacity(), 100);
}

}  // namespace
