#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "platform/format/clock.h"
#include "platform/format/uuid.h"

namespace tockary {
namespace {

using std::chrono::milliseconds;

TEST(ClockTest, FixedClockStandsStillUntilMoved) {
  FixedClock clock(Date(milliseconds(1'715'956'200'000)));
  const Clock& asClock = clock;
  EXPECT_EQ(asClock.now(), Date(milliseconds(1'715'956'200'000)));
  EXPECT_EQ(asClock.now(), asClock.now());
  clock.advance(std::chrono::hours(25));
  EXPECT_EQ(asClock.now(), Date(milliseconds(1'715'956'200'000 + 25 * 3'600'000LL)));
  clock.advance(milliseconds(-1));
  EXPECT_EQ(asClock.now(), Date(milliseconds(1'715'956'200'000 + 25 * 3'600'000LL - 1)));
  clock.set(Date{});
  EXPECT_EQ(asClock.now().time_since_epoch().count(), 0);
}

TEST(ClockTest, SystemClockFollowsTheMachineTime) {
  const auto before = std::chrono::system_clock::now() - milliseconds(1);
  const Date now = SystemClock().now();
  EXPECT_GE(now, before);
  EXPECT_LE(now, std::chrono::system_clock::now());
}

TEST(UuidTest, HasTheVersionFourShapeInUpperCase) {
  for (int i = 0; i < 200; ++i) {
    const std::string uuid = uuidString();
    ASSERT_EQ(uuid.size(), 36u) << uuid;
    for (std::size_t j = 0; j < uuid.size(); ++j) {
      if (j == 8 || j == 13 || j == 18 || j == 23) {
        ASSERT_EQ(uuid[j], '-') << uuid;
      } else {
        ASSERT_TRUE((uuid[j] >= '0' && uuid[j] <= '9') || (uuid[j] >= 'A' && uuid[j] <= 'F'))
            << uuid;
      }
    }
    EXPECT_EQ(uuid[14], '4') << uuid;
    EXPECT_NE(std::string("89AB").find(uuid[19]), std::string::npos) << uuid;
  }
}

TEST(UuidTest, EveryCallGivesANewIdentifier) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) seen.insert(uuidString());
  EXPECT_EQ(seen.size(), 1000u);
}

}  // namespace
}  // namespace tockary
