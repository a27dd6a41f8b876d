#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "commands.h"
#include "output.h"
#include "platform/notifications/freedesktop_notification_poster.h"
#include "platform/notifications/icalendar.h"
#include "platform/notifications/notification_delivery.h"
#include "platform/outside_file.h"
#include "reminders/reminders.h"
#include "screen_output.h"

namespace tockary::cli {

namespace {

inline constexpr std::string_view kCalendarFileName = "Tockary reminders.ics";

Json requestJson(const NotificationRequest& request) {
  Json trigger = {{"day", request.trigger.day ? Json(*request.trigger.day) : Json()},
                  {"hour", request.trigger.hour},
                  {"minute", request.trigger.minute},
                  {"repeats", request.trigger.repeats}};
  return {{"identifier", request.identifier},
          {"title", request.content.title},
          {"subtitle", request.content.subtitle},
          {"body", request.content.body},
          {"trigger", trigger},
          {"when", triggerDescription(request.trigger)}};
}

// A request as people read it: as the desktop shows it, then when it fires, indented.
void printRequest(PlainText& text, const NotificationRequest& request) {
  const NotificationText shown = notificationText(request.content);
  text.line(shown.summary);
  text.indent(2);
  if (!shown.body.empty()) text.line(shown.body);
  text.line(triggerDescription(request.trigger));
  text.indent(-2);
}

int printPending(CliEnvironment& env, const std::vector<NotificationRequest>& pending) {
  Output out(env.options().json);
  Json list = Json::array();
  for (const auto& request : pending) {
    list.push_back(requestJson(request));
    printRequest(out.text(), request);
  }
  if (pending.empty()) {
    out.text().line(
        "No reminders are pending: turn them on with tockary settings "
        "(enableWotdReminderSettingOn, enableLongAccuracyReminderSettingOn, "
        "enableWarrantyExpiringReminderSettingOn).");
  }
  out.json()["reminders"] = list;
  out.print(std::cout);
  return 0;
}

int deliverDue(CliEnvironment& env) {
  FreedesktopNotificationPoster poster;
  // Scripts get what could not reach the desktop inside their JSON.
  std::ostringstream shownHere;
  std::ostream& fallback = env.options().json ? shownHere : std::cout;
  auto delivered = deliverDueNotifications(env.notificationCenter(), poster, env.clock().now(),
                                           env.formatters().calendar(), fallback);
  if (!delivered) {
    throw WriteFailure{"the due reminders could not be taken: " + delivered.status().description()};
  }
  if (!env.options().json) {
    std::cout.flush();
    return 0;
  }
  Output out(true);
  Json list = Json::array();
  for (const auto& request : *delivered) list.push_back(requestJson(request));
  out.json()["delivered"] = list;
  out.json()["shownOnStandardOutput"] = shownHere.str();
  out.print(std::cout);
  return 0;
}

int writeCalendar(CliEnvironment& env, const std::filesystem::path& file,
                  const std::vector<NotificationRequest>& pending) {
  const std::string text = iCalendarText(pending, env.clock().now(), env.formatters().calendar());
  if (Status written = writeOutsideFile(file, Bytes(text.begin(), text.end())); !written) {
    throw WriteFailure{"the calendar was not written: " + file.string() + " " +
                       written.description()};
  }
  Output out(env.options().json);
  out.json()["path"] = file.string();
  out.json()["events"] = pending.size();
  out.text().line(file.string());
  out.print(std::cout);
  return 0;
}

}  // namespace

void addRemindersCommand(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "reminders",
      "Rebuild the pending reminders and tips from the settings and the collection, as the app "
      "does every minute, and print them in order (title, subtitle, body, when). "
      "--deliver-due shows those due now on the desktop, each once, for a timer or a cron job "
      "that runs every minute; --ics writes them as a calendar to subscribe to:\n"
      "  tockary reminders\n  tockary reminders --deliver-due\n"
      "  tockary reminders --ics ~/tockary.ics");
  auto deliver = std::make_shared<bool>(false);
  auto calendarFile = std::make_shared<std::string>();
  auto* deliverFlag = command->add_flag(
      "--deliver-due", *deliver,
      "Show the reminders whose time has come on the desktop (the freedesktop notification "
      "service; printed here when none answers); a reminder is shown once per time it fires");
  command
      ->add_option("--ics", *calendarFile,
                   "Write the pending reminders as an iCalendar file (replaced whole) and print "
                   "its path")
      ->type_name("FILE")
      ->excludes(deliverFlag);
  command->callback([&action, deliver, calendarFile, command] {
    const bool wantsCalendar = command->get_option("--ics")->count() > 0;
    action = [deliver, calendarFile, wantsCalendar](CliEnvironment& env) {
      std::filesystem::path file;
      if (wantsCalendar) file = outputFile("--ics", *calendarFile, kCalendarFileName);
      env.reminders().initiateNotifications();
      if (*deliver) return deliverDue(env);
      auto pending = env.notificationCenter().pendingNotificationRequests();
      if (!pending) {
        throw WriteFailure{"the pending reminders could not be read: " +
                           pending.status().description()};
      }
      if (wantsCalendar) return writeCalendar(env, file, *pending);
      return printPending(env, *pending);
    };
  });
}

}  // namespace tockary::cli
