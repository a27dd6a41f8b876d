#include "platform/notifications/notification_delivery.h"

#include <ostream>

#include "platform/format/utf8_text.h"

namespace tockary {

namespace {

void appendLine(std::string& text, const std::string& line) {
  if (line.empty()) return;
  if (!text.empty()) text += '\n';
  text += line;
}

}  // namespace

NotificationText notificationText(const NotificationContent& content) {
  NotificationText text;
  if (!content.title.empty()) {
    text.summary = content.title;
    appendLine(text.body, content.subtitle);
  } else {
    text.summary = content.subtitle;
  }
  appendLine(text.body, content.body);
  return text;
}

Result<std::vector<NotificationRequest>> deliverDueNotifications(PendingNotificationCenter& center,
                                                                 NotificationPoster& poster,
                                                                 Date now, const Calendar& calendar,
                                                                 std::ostream& fallback) {
  auto due = center.takeDueNotificationRequests(now, calendar);
  if (!due) return due;
  for (const NotificationRequest& request : *due) {
    const Status posted = poster.post(request.content);
    if (posted) continue;
    fallback << posted.description() << '\n';
    for (const std::string* line :
         {&request.content.title, &request.content.subtitle, &request.content.body}) {
      // Stored text may come from elsewhere: printing it must not fail on a bad byte.
      if (!line->empty()) fallback << replacingInvalidUtf8(*line) << '\n';
    }
  }
  fallback.flush();
  return due;
}

}  // namespace tockary
