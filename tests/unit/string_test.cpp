// The text type: appends and the length cap, cut-outs, queries outside the text,
// inserts and removals, and copies that own their buffers.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "core/string.h"

namespace {

std::string Text(const String& s) { return std::string(s.CStr(), s.Length()); }

TEST(StringTest, AppendsUpToTheCapAndRefusesBeyondIt) {
    std::string over(String::kMaxLength + 5, 'x');
    EXPECT_EQ(String(over.c_str()).Length(), String::kMaxLength);  // cut to the cap
    String nearCap(over.c_str());
    nearCap.AssignMid(&nearCap, 0, String::kMaxLength - 16);
    String exact(nearCap), refused(nearCap), viaPlus(nearCap);
    exact += "0123456789abcdef";
    EXPECT_EQ(exact.Length(), String::kMaxLength);
    const char* before = refused.CStr();
    String returned = (refused += "0123456789abcdefg");
    EXPECT_EQ(refused.CStr(), before);
    EXPECT_TRUE(returned == nearCap);
    viaPlus + String("0123456789abcdefg");
    EXPECT_EQ(viaPlus.Length(), String::kMaxLength - 16);
    viaPlus + String("0123456789abcdef");
    EXPECT_EQ(viaPlus.Length(), String::kMaxLength);
}

TEST(StringTest, AppendsAndRefusals) {
    String s("ab");
    s += static_cast<const char*>(nullptr);
    s += "";
    s += '\0';
    s + String();
    s + String("cd");  // appends in place
    s += 'e';
    s.AppendNewLine();
    s.AppendInt(INT_MIN);
    s.AppendInt(0);
    EXPECT_EQ(Text(s), "abcde\r\n-21474836480");

    String self("xy");
    self += self.CStr();
    self + self;
    self.AssignMid(&self, 1, 5);
    EXPECT_EQ(Text(self), "yxyxy");
    EXPECT_EQ(Text(String("q").AssignChar('\0')), "");
}

TEST(StringTest, AssignMidClipsAndRefuses) {
    const String src("abcdef");
    struct Case { int start, count; const char* expected; } cases[] = {
        {2, 3, "cde"}, {2, -1, "cdef"}, {4, 10, "ef"}, {-3, 2, "ab"}, {6, -1, ""},
        {7, 1, "keep"}, {2, 0, "keep"}, {2, -2, "keep"}, {1, INT_MAX, "bcdef"},
    };
    for (const Case& c : cases) {
        String target("keep");
        target.AssignMid(&src, c.start, c.count);
        EXPECT_EQ(Text(target), c.expected) << c.start << "," << c.count;
    }
}

TEST(StringTest, QueriesOutsideTheTextGiveFixedAnswers) {
    String abc("abc"), dashes("a-b-c"), level("LEVEL = 2");
    EXPECT_EQ(abc.CharAt(1), 'b');
    EXPECT_EQ(abc.CharAt(4), ' ');
    EXPECT_EQ(abc.CharAt(-1), ' ');
    EXPECT_EQ(abc.CharAt(3), '\0');
    EXPECT_EQ(dashes.FindChar('-', 2), 3);
    EXPECT_EQ(dashes.FindChar('-', -1), -1);
    EXPECT_EQ(dashes.FindChar('-', 5), -1);
    const std::pair<const char*, int> ends[] = {{"LEVEL = ", 8}, {"", 0}, {"LEVEL = 2!", -1},
                                                {"EL", 5},       {"2", 9}, {"VEX", -1}};
    for (const auto& e : ends) EXPECT_EQ(level.FindEnd(e.first), e.second) << e.first;
    EXPECT_TRUE(String("ab") == String("ab"));
    EXPECT_FALSE(String("ab") == String("Ab"));
    EXPECT_FALSE(String("ab") == String("abc"));
}

TEST(StringTest, InsertRemoveAndOwnBuffers) {
    String s("abcd"), empty;
    s.InsertAt('-', 4);
    s.InsertAt('-', -1);
    s.InsertAt('-', 2);
    s.InsertAt('<', 0);
    empty.InsertAt('x', 0);
    EXPECT_EQ(Text(s), "<ab-cd");
    EXPECT_EQ(Text(empty), "");

    String spaced(" a  b ");
    spaced.RemoveAll(' ');
    const char* buffer = spaced.CStr();
    spaced.RemoveAll('z');
    EXPECT_EQ(spaced.CStr(), buffer);
    EXPECT_EQ(Text(spaced), "ab");

    String a("text"), copy(a), assigned, none, noneCopy(none);
    assigned = a;
    a = a;
    a += "!";
    EXPECT_EQ(Text(a), "text!");
    EXPECT_EQ(Text(copy), "text");
    EXPECT_EQ(Text(assigned), "text");
    EXPECT_NE(copy.CStr(), assigned.CStr());
    EXPECT_NE(none.CStr(), noneCopy.CStr());
}

}  // namespace
