#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "collection/collection_fixture.h"
#include "collection/watch_of_the_day.h"

namespace tockary::testing {
namespace {

class WatchOfTheDayTest : public CollectionTest {
 protected:
  // Answers each draw with the next of `answers` (taken modulo the bound), keeping the bounds.
  UniformSource scripted(std::vector<std::uint32_t> answers) {
    return [this, answers, next = std::size_t{0}](std::uint32_t bound) mutable {
      bounds.push_back(bound);
      return answers.at(next++ % answers.size()) % bound;
    };
  }

  std::vector<std::uint32_t> bounds;
};

TEST_F(WatchOfTheDayTest, OneUnsoldWatchIsAlwaysDrawnAndSoldOnesNever) {
  watch("Rolex", "Sub", "buyer");
  auto kept = watch("Omega", "Speedmaster");
  watch("Tudor", "BB", "dealer");
  WatchOfTheDay roulette(services, scripted({0, 7, 3}));
  for (int draw = 0; draw < 3; ++draw) {
    EXPECT_EQ(roulette.startRoulette(), kept);
  }
  EXPECT_EQ(bounds, (std::vector<std::uint32_t>{1, 1, 1}));
}

TEST_F(WatchOfTheDayTest, DrawsByIndexInStoreOrder) {
  auto first = watch("A");
  watch("Sold", "", "buyer");
  auto second = watch("B");
  auto third = watch("C");
  WatchOfTheDay roulette(services, scripted({2, 0, 1}));
  EXPECT_EQ(roulette.startRoulette(), third);
  EXPECT_EQ(roulette.startRoulette(), first);
  EXPECT_EQ(roulette.startRoulette(), second);
  EXPECT_EQ(bounds, (std::vector<std::uint32_t>{3, 3, 3}));
}

TEST_F(WatchOfTheDayTest, NothingShownWithoutAnUnsoldWatch) {
  WatchOfTheDay roulette(services, scripted({0}));
  EXPECT_EQ(roulette.startRoulette(), nullptr);
  watch("Rolex", "Sub", "buyer");
  EXPECT_EQ(roulette.startRoulette(), nullptr);
  EXPECT_TRUE(presenter.events().empty());
  EXPECT_TRUE(bounds.empty());
}

TEST_F(WatchOfTheDayTest, SheetFramesAndSpinsThePicture) {
  auto kept = watch("Omega", "Speedmaster");
  kept->setKellokuva(Bytes{1, 2, 3});
  save();
  WatchOfTheDay roulette(services, scripted({0}));
  roulette.startRoulette();
  const Sheet& sheet = *presenter.lastSheet();
  EXPECT_EQ(sheet.style, SheetStyle::ActionSheet);
  EXPECT_EQ(sheet.title, "Omega");
  EXPECT_EQ(sheet.message, "Speedmaster");
  EXPECT_EQ(sheet.attributedTitle->text, "Watch Of The Day: \n \n Omega");
  EXPECT_EQ(sheet.attributedTitle->fontName, "HelveticaNeue-Bold");
  EXPECT_EQ(sheet.attributedMessage->text, "Speedmaster");
  ASSERT_EQ(sheet.actions.size(), 3U);
  EXPECT_EQ(sheet.actions[0].identity, kDrawAgainAction);
  EXPECT_EQ(sheet.actions[0].title, "Draw again");
  EXPECT_EQ(sheet.actions[1].identity, kWearTodayAction);
  EXPECT_EQ(sheet.actions[1].title, "Wear today");
  EXPECT_EQ(sheet.actions[2].title, "Cancel");
  EXPECT_EQ(sheet.actions[2].style, ActionStyle::Cancel);

  ASSERT_EQ(sheet.images.size(), 2U);
  const SheetImage& frame = sheet.images[0];
  EXPECT_TRUE(frame.picture.empty());
  EXPECT_TRUE(frame.assetName.empty());
  EXPECT_EQ(frame.frame, (Frame{80, -240, 240, 240}));
  EXPECT_TRUE(frame.decoration.background.has_value());
  EXPECT_EQ(frame.decoration.cornerRadius, 10);
  const SheetImage& picture = sheet.images[1];
  EXPECT_EQ(picture.picture, (Bytes{1, 2, 3}));
  EXPECT_EQ(picture.frame, (Frame{80, -220, 200, 200}));
  for (const SheetImage& image : sheet.images) {
    EXPECT_TRUE(image.centredHorizontally);
    EXPECT_EQ(image.spin, (SpinAnimation{720, 1.0, 0.4}));
  }
}

TEST_F(WatchOfTheDayTest, DrawAgainDrawsAfreshAndWearTodayLogsAWear) {
  auto a = watch("A");
  auto b = watch("B");
  WatchOfTheDay roulette(services, scripted({0, 1}));
  roulette.startRoulette();
  ASSERT_TRUE(presenter.press(kDrawAgainAction).isOk());
  EXPECT_EQ(roulette.drawnWatch(), b);
  EXPECT_EQ(presenter.lastSheet()->title, "B");
  EXPECT_EQ(presenter.sheets().size(), 2U);

  ASSERT_TRUE(presenter.press(kWearTodayAction).isOk());
  EXPECT_TRUE(roulette.wearStatus().isOk());
  EXPECT_EQ(b->varasarake4(), 1);
  EXPECT_EQ(b->varasarake5(), clock.now());
  EXPECT_EQ(a->varasarake4(), 0);
  EXPECT_FALSE(context().hasChanges());

  roulette.startRoulette();  // a again
  lockStore();
  ASSERT_TRUE(presenter.press(kWearTodayAction).isOk());
  EXPECT_TRUE(isStoreBusy(roulette.wearStatus()));
  EXPECT_EQ(a->varasarake4(), 0);
}

TEST_F(WatchOfTheDayTest, SystemSourceStaysBelowItsBound) {
  const UniformSource uniform = systemUniformSource();
  std::set<std::uint32_t> seen;
  for (int i = 0; i < 200; ++i) {
    const std::uint32_t drawn = uniform(3);
    ASSERT_LT(drawn, 3U);
    seen.insert(drawn);
  }
  EXPECT_EQ(seen.size(), 3U);
  EXPECT_EQ(uniform(1), 0U);
}

}  // namespace
}  // namespace tockary::testing
