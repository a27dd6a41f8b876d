
#include "cli/cli_runner.h"

namespace tockary::testing {
namespace {

using SettingsCliTest = CliTest;

TEST_F(SettingsCliTest, FreshStoreShowsEverySwitchNotSetInScreenOrder) {
  const CliRun run = tockary({"settings"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("warrantyInfoSettingOn: not set  (Warranty info)\n"
                          "wearRateSettingOn: not set  (Wear rate)\n",
                          0),
            0u)
      << run.out;
  EXPECT_EQ(parsedJson(tockary({"--json", "settings"})),
            (nlohmann::ordered_json{{"warrantyInfoSettingOn", "not set"},
                                    {"wearRateSettingOn", "not set"},
                                    {"hideSoldWatchesSettingOn", "not set"},
                                    {"techDetailsSettingOn", "not set"},
                                    {"dwrswrSettingOn", "not set"},
                                    {"fadeSettingOn", "not set"},
                                    {"dataIndicatorSettingOn", "not set"},
                                    {"badgesSettingOn", "not set"},
                                    {"ownershipSettingOn", "not set"},
                                    {"enableWotdReminderSettingOn", "not set"},
                                    {"enableLongAccuracyReminderSettingOn", "not set"},
                                    {"enableWarrantyExpiringReminderSettingOn", "not set"},
                                    {"enableHistoryLogSettingOn", "not set"},
                                    {"logEachWearSettingOn", "not set"},
                                    {"logEvery10thWearSettingOn", "not set"},
                                    {"compressWatchImagesSettingOn", "not set"}}));
  EXPECT_EQ(run.err, "");
}

TEST_F(SettingsCliTest, EachWearOnTurnsEveryTenthOffAcrossRuns) {
  CliRun run = tockary({"settings", "logEachWearSettingOn", "on"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");  // diagnostics only with --verbose
  run = tockary({"settings"});
  EXPECT_NE(run.out.find("logEachWearSettingOn: on  (Log each wear)\n"
                         "logEvery10thWearSettingOn: off  (Log every 10th wear)\n"),
            std::string::npos)
      << run.out;

  run = tockary({"--verbose", "settings", "logEachWearSettingOn", "off"});
  EXPECT_EQ(run.err, "log each wear disabled\n");
  run = tockary({"--json", "settings"});
  EXPECT_NE(
      run.out.find("\"logEachWearSettingOn\": \"off\",\n  \"logEvery10thWearSettingOn\": \"on\""),
      std::string::npos)
      << run.out;
}

TEST_F(SettingsCliTest, BadKeyOrValueIsOneLineExitTwoAndWritesNothing) {
  const std::vector<std::vector<std::string>> bad = {
      {"settings", "logEachWear", "on"},
      {"settings", "logEachWearSettingOn", "yes"},
      {"settings", "logEachWearSettingOn"},
      {"settings", "orderByYear", "on"},  // a key, but not one of the switches
  };
  for (const auto& arguments : bad) {
    const CliRun run = tockary(arguments);
    EXPECT_EQ(run.status, 2) << arguments[1];
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(
      tockary({"settings", "logEachWear", "on"})
          .err.rfind("tockary: unknown setting \"logEachWear\"; accepted: warrantyInfoSettingOn, "
                     "wearRateSettingOn, ",
                     0),
      0u);
  EXPECT_NE(tockary({"settings", "fadeSettingOn", "yes"}).err.find("accepted: on, off"),
            std::string::npos);
  EXPECT_EQ(tockary({"settings"}).out.find(": on"), std::string::npos);
}

TEST_F(SettingsCliTest, UnknownCommandsAndOptions) {
  CliRun run = tockary({"bogus"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("tockary: unknown command \"bogus\"; accepted: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("settings, info\n"), std::string::npos) << run.err;
  run = tockary({"info", "--nope"});
  EXPECT_EQ(run.status, 2);
  run = runTockary({"--locale", "xx_QQ", "info"}, scratch.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("unknown locale \"xx_QQ\""), std::string::npos);
  run = tockary({"settings", "--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("tockary settings logEachWearSettingOn on"), std::string::npos);
}

}  // namespace
}  // namespace tockary::testing
