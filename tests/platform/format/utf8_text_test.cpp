#include <gtest/gtest.h>

#include <string>

#include "platform/format/utf8_text.h"

namespace tockary {
namespace {

TEST(Utf8TextTest, WellFormedTextIsValidAndKeptAsItIs) {
  const std::string texts[] = {"",
                               "Seiko SKX007",
                               "Zürich",
                               "€ 1 200,50",
                               "⌚ 🕰",
                               "\xEF\xBF\xBD",
                               std::string("nul\0inside", 10),
                               "\xF4\x8F\xBF\xBF",
                               "Longines Spirit Zulu Time, Zürich",  // past a run of ASCII
                               "12345678€"};
  for (const std::string& text : texts) {
    EXPECT_TRUE(isValidUtf8(text)) << text;
    EXPECT_EQ(replacingInvalidUtf8(text), text);
  }
}

TEST(Utf8TextTest, EachIllFormedPartBecomesOneReplacementCharacter) {
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  struct Case {
    std::string text;
    std::string replaced;
  };
  const Case cases[] = {
      {"A\xFF"
       "B",
       "A" + r + "B"},         // a byte that never appears in UTF-8
      {"\x80", r},             // a continuation byte alone
      {"Caf\xC3", "Caf" + r},  // cut before its last byte
      {"\xE2\x82"
       "x",
       r + "x"},                            // one truncated sequence, one replacement
      {"\xC0\xAF", r + r},                  // overlong "/"
      {"\xED\xA0\x80", r + r + r},          // a surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},  // beyond U+10FFFF
      {"Caf\xE9 cr\xE8me", "Caf" + r + " cr" + r + "me"},  // Latin-1
      // After runs of ASCII of whole and partial eight-byte words.
      {"12345678\x80", "12345678" + r},
      {"Longines Spirit Zulu Time\xC3", "Longines Spirit Zulu Time" + r},
      {"1234567\xFF"
       "12345678",
       "1234567" + r + "12345678"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(isValidUtf8(c.text)) << c.text;
    EXPECT_EQ(replacingInvalidUtf8(c.text), c.replaced) << c.text;
    EXPECT_TRUE(isValidUtf8(replacingInvalidUtf8(c.text)));
  }
}

}  // namespace
}  // namespace tockary
