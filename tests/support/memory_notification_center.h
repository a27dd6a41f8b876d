#pragma once

#include <string>
#include <vector>

#include "platform/notifications/user_notification_center.h"

namespace tockary::testing {

// A notification center that keeps its pending set in memory and grants or refuses as told.
class MemoryNotificationCenter final : public UserNotificationCenter {
 public:
  bool grants = true;
  int replacements = 0;
  std::vector<NotificationRequest> pending;

  void requestAuthorization(std::function<void(bool)> completion) override { completion(grants); }
  Status replacePendingNotificationRequests(std::vector<NotificationRequest> requests) override {
    ++replacements;
    pending = std::move(requests);
    return Status::ok();
  }
  Result<std::vector<NotificationRequest>> pendingNotificationRequests() const override {
    return pending;
  }

  std::vector<std::string> titles() const {
    std::vector<std::string> result;
    for (const auto& request : pending) result.push_back(request.content.title);
    return result;
  }
};

}  // namespace tockary::testing
