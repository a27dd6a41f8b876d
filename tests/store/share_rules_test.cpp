#include <gtest/gtest.h>

#include <string>

#include "store/share_rules.h"

namespace tockary::testing {
namespace {

TEST(FileNameFromTextTest, NothingInTheTextLeadsOutOfTheFolder) {
  EXPECT_EQ(fileNameFromText("Warranty card - Omega Speedmaster", ".png"),
            "Warranty card - Omega Speedmaster.png");
  EXPECT_EQ(fileNameFromText("../../etc/passwd", ".png"), "..-..-etc-passwd.png");
  EXPECT_EQ(fileNameFromText("a\\b\nc\td\x7F", ".png"), "a-b-c-d-.png");
  EXPECT_EQ(fileNameFromText("..", ""), "--");
  EXPECT_EQ(fileNameFromText("", ""), "");
  EXPECT_EQ(fileNameFromText("Caf\xC3", ".png"), "Caf\xEF\xBF\xBD.png");
}

TEST(FileNameFromTextTest, ALongNameIsCutAtACharacterBoundary) {
  // 251 bytes are left beside ".png": two "ä" fit after 247 "a", the third does not.
  const std::string stem = std::string(247, 'a') + "\xC3\xA4\xC3\xA4\xC3\xA4";
  EXPECT_EQ(fileNameFromText(stem, ".png"), std::string(247, 'a') + "\xC3\xA4\xC3\xA4.png");
  // Cut inside a character: the whole character goes.
  const std::string odd = std::string(248, 'a') + "\xC3\xA4\xC3\xA4\xC3\xA4";
  EXPECT_EQ(fileNameFromText(odd, ".png"), std::string(248, 'a') + "\xC3\xA4.png");
}

}  // namespace
}  // namespace tockary::testing
