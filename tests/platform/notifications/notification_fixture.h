#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/format/calendar.h"
#include "platform/notifications/pending_notifications.h"
#include "support/temp_dir.h"

namespace tockary::testing {

inline NotificationRequest reminder(std::string title, std::string subtitle, std::string body,
                                    int hour, int minute, std::optional<int> day = std::nullopt) {
  NotificationRequest request;
  request.identifier = "ID-" + title + "-" + std::to_string(hour) + ":" + std::to_string(minute);
  request.content.title = std::move(title);
  request.content.subtitle = std::move(subtitle);
  request.content.body = std::move(body);
  request.content.categoryIdentifier = "alarm";
  request.content.userInfo = {{"customData", "fizzbuzz"}};
  request.trigger.day = day;
  request.trigger.hour = hour;
  request.trigger.minute = minute;
  return request;
}

// A data folder of its own, the UTC calendar and its centers.
class NotificationTest : public ::testing::Test {
 protected:
  std::unique_ptr<PendingNotificationCenter> openCenter() {
    auto center = openPendingNotifications(data);
    EXPECT_TRUE(center.isOk()) << center.status().description() << " "
                               << center.status().userInfoText();
    return center.isOk() ? std::move(center).value() : nullptr;
  }

  Date at(int year, int month, int day, int hour, int minute, int second = 0) const {
    return utc.dateFrom(year, month, day, hour, minute, second);
  }

  TempDir home;
  std::filesystem::path data = home.path() / "tockary";
  Calendar utc{"UTC"};
};

}  // namespace tockary::testing
