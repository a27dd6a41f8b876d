#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace tockary::testing {
namespace {

// The list of a generated collection of 160 watches (more rows than one batch of records), as
// it was printed before the list learnt to build its records in batches. The switches whose
// texts move with today's date (ownership, warranty) are off, so the output stays the same.
class ListGoldenTest : public CliTest {
 protected:
  void SetUp() override {
    const std::string generate =
        std::string(TOCKARY_GENERATOR) + " '" + data.string() + "' 160 > /dev/null";
    ASSERT_EQ(std::system(generate.c_str()), 0);
    for (const char* key :
         {"hideSoldWatchesSettingOn", "wearRateSettingOn", "badgesSettingOn", "fadeSettingOn",
          "dataIndicatorSettingOn", "techDetailsSettingOn", "dwrswrSettingOn"}) {
      ASSERT_EQ(tockary({"settings", key, "on"}).status, 0);
    }
    for (const char* key : {"ownershipSettingOn", "warrantyInfoSettingOn"}) {
      ASSERT_EQ(tockary({"settings", key, "off"}).status, 0);
    }
    ASSERT_EQ(tockary({"sort", "Brand and Model"}).status, 0);
  }

  // The whole output against the golden file; on a difference the output is written beside it
  // as NAME.actual and the difference shown.
  static void expectGolden(const CliRun& run, const std::string& name) {
    ASSERT_EQ(run.status, 0) << run.err;
    const std::filesystem::path golden = std::filesystem::path(TOCKARY_GOLDEN_DIR) / name;
    const std::string expected = readFile(golden);
    ASSERT_FALSE(expected.empty()) << golden;
    if (run.out == expected) return;
    const std::filesystem::path actual = golden.string() + ".actual";
    writeFile(actual, run.out);
    std::string difference;
    if (FILE* diff = popen(
            ("diff -u '" + golden.string() + "' '" + actual.string() + "' | head -40").c_str(),
            "r")) {
      char buffer[4096];
      while (std::fgets(buffer, sizeof buffer, diff) != nullptr) difference += buffer;
      pclose(diff);
    }
    ADD_FAILURE() << name << " differs (" << run.out.size() << " bytes, expected "
                  << expected.size() << "):\n"
                  << difference;
  }
};

TEST_F(ListGoldenTest, PlainAndJsonListsAreByteForByteThoseOfTheEagerList) {
  expectGolden(tockary({"list"}), "generated_list.txt");
  expectGolden(tockary({"--json", "list"}), "generated_list.json");
}

}  // namespace
}  // namespace tockary::testing
