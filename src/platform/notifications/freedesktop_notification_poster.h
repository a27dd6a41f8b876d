#pragma once

#include <chrono>
#include <string>

#include "platform/notifications/notification_delivery.h"

namespace tockary {

// Posts through the desktop's notification service, org.freedesktop.Notifications on the session
// bus (DBUS_SESSION_BUS_ADDRESS as it is when connecting). The connection is kept between posts
// and made afresh when the bus has gone away meanwhile. A post makes two calls, each blocking for
// at most `timeout`. Needs no QCoreApplication: QtDBus runs the connection on a thread of its
// own, so the command line can post too. Use one object from one thread.
class FreedesktopNotificationPoster final : public NotificationPoster {
 public:
  explicit FreedesktopNotificationPoster(
      std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Closes the connection.
  ~FreedesktopNotificationPoster() override;
  FreedesktopNotificationPoster(const FreedesktopNotificationPoster&) = delete;
  FreedesktopNotificationPoster& operator=(const FreedesktopNotificationPoster&) = delete;

  // The summary and body of notificationText(), the body with "&", "<" and ">" escaped when the
  // service says (asked at every post: the service may change) that it reads markup in bodies
  // (texts such as a watch's name are the user's). Errors: no session bus, no service answering
  // within the timeout, or the service refusing.
  Status post(const NotificationContent& content) override;

 private:
  std::string connectionName_;
  std::chrono::milliseconds timeout_;
};

}  // namespace tockary
