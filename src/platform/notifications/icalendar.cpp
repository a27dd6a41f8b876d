#include "platform/notifications/icalendar.h"

#include <chrono>
#include <cstdio>

#include "platform/format/utf8_text.h"
#include "platform/notifications/notification_delivery.h"
#include "platform/notifications/trigger_occurrence.h"

namespace tockary {

namespace {

constexpr std::size_t kLineOctets = 75;

// A property value of type TEXT.
std::string escaped(std::string_view raw) {
  const std::string text = replacingInvalidUtf8(raw);
  std::string value;
  value.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\':
      case ';':
      case ',':
        value += '\\';
        value += c;
        break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') break;  // CRLF is one line break
        [[fallthrough]];
      case '\n':
        value += "\\n";
        break;
      default:
        // Other control characters have no place in a TEXT value.
        if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) || c == '\t') value += c;
    }
  }
  return value;
}

// The line with CRLF, folded so that no line passes 75 octets and no UTF-8 sequence is split.
void appendFolded(std::string& out, std::string_view line) {
  std::size_t limit = kLineOctets;
  while (line.size() > limit) {
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line.substr(0, cut));
    out += "\r\n ";
    line.remove_prefix(cut);
    limit = kLineOctets - 1;  // the blank that continues a line counts
  }
  out.append(line);
  out += "\r\n";
}

std::string utcStamp(Date now) {
  const auto day = std::chrono::floor<std::chrono::days>(now);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss time{std::chrono::floor<std::chrono::seconds>(now - day)};
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::string floatingTime(const LocalDateTime& wall) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d", wall.year, wall.month, wall.day,
                wall.hour, wall.minute, wall.second);
  return text;
}

}  // namespace

std::string iCalendarText(const std::vector<NotificationRequest>& requests, Date now,
                          const Calendar& calendar) {
  std::string out;
  const auto line = [&out](std::string_view text) { appendFolded(out, text); };
  line("BEGIN:VCALENDAR");
  line("VERSION:2.0");
  line("PRODID:-//Tockary//Reminders//EN");
  line("CALSCALE:GREGORIAN");
  const std::string stamp = "DTSTAMP:" + utcStamp(now);
  for (const NotificationRequest& request : requests) {
    const auto start = nextOccurrence(request.trigger, now, calendar);
    if (!start) continue;
    const NotificationText text = notificationText(request.content);
    line("BEGIN:VEVENT");
    line("UID:" + escaped(request.identifier + "@tockary"));
    line(stamp);
    line("DTSTART:" + floatingTime(start->wallClock));
    if (request.trigger.repeats) {
      // A month without the day is skipped, as the trigger skips it.
      line(request.trigger.day
               ? "RRULE:FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(*request.trigger.day)
               : std::string("RRULE:FREQ=DAILY"));
    }
    if (!text.summary.empty()) line("SUMMARY:" + escaped(text.summary));
    if (!text.body.empty()) line("DESCRIPTION:" + escaped(text.body));
    line("BEGIN:VALARM");
    line("ACTION:DISPLAY");
    line("TRIGGER:PT0M");
    // A display alarm must say something; a notification with no texts shows the app's name.
    line("DESCRIPTION:" +
         escaped(text.summary.empty() ? std::string(kNotificationApplicationName) : text.summary));
    line("END:VALARM");
    line("END:VEVENT");
  }
  line("END:VCALENDAR");
  return out;
}

}  // namespace tockary
