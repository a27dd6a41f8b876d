#include "reminder_delivery.h"

#include <iostream>

#include "platform/notifications/freedesktop_notification_poster.h"
#include "platform/notifications/notification_delivery.h"
#include "platform/notifications/pending_notifications.h"
#include "platform/ui/diagnostics.h"

namespace tockary::gui {

ReminderDelivery::ReminderDelivery(const std::filesystem::path& dataDirectory, const Clock& clock,
                                   const Calendar& calendar)
    : clock_(clock), calendar_(calendar) {
  auto opened = openPendingNotifications(dataDirectory);
  if (!opened) {
    std::cerr << "tockary-app: warning: reminders will not be shown: "
              << opened.status().description() << '\n';
    return;
  }
  center_ = std::move(opened).value();
  poster_ = std::make_unique<FreedesktopNotificationPoster>();
  timer_ = new QTimer;
  timer_->setInterval(std::chrono::milliseconds(kInterval));
  timer_->moveToThread(&thread_);
  QObject::connect(&thread_, &QThread::started, timer_, [this] {
    deliver();
    timer_->start();
  });
  QObject::connect(timer_, &QTimer::timeout, timer_, [this] { deliver(); });
  // A timer is stopped by its own thread: `finished` is sent from there, before it ends.
  QObject::connect(&thread_, &QThread::finished, timer_, &QTimer::stop, Qt::DirectConnection);
  thread_.start();
}

ReminderDelivery::~ReminderDelivery() {
  thread_.quit();
  thread_.wait();
  delete timer_;  // its thread has ended
}

void ReminderDelivery::deliverSoon() {
  if (timer_ == nullptr) return;
  QMetaObject::invokeMethod(
      timer_, [this] { deliver(); }, Qt::QueuedConnection);
}

void ReminderDelivery::deliver() {
  auto delivered = deliverDueNotifications(*center_, *poster_, clock_.now(), calendar_, std::cout);
  if (!delivered) {
    diagnostic("Could not deliver the due reminders: " + delivered.status().description());
  }
}

}  // namespace tockary::gui
