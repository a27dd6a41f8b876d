#include <gtest/gtest.h>

#include <cstdio>

#include "platform/format/utf8_text.h"
#include "platform/notifications/icalendar.h"
#include "platform/notifications/notification_fixture.h"

namespace tockary {
namespace {

using testing::NotificationTest;
using testing::reminder;

std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text after the last CRLF";
  return lines;
}

// The text as RFC 5545 reads it: continuation lines joined to the line they continue.
std::vector<std::string> unfolded(const std::string& text) {
  std::vector<std::string> lines;
  for (const std::string& line : crlfLines(text)) {
    if (!line.empty() && line[0] == ' ' && !lines.empty()) {
      lines.back() += line.substr(1);
    } else {
      lines.push_back(line);
    }
  }
  return lines;
}

NotificationRequest eveningQuestion(std::string identifier) {
  auto evening = reminder("Did you wear a watch today?", "Remember to mark any watches worn today!",
                          "", 18, 0);
  evening.identifier = std::move(identifier);
  return evening;
}

TEST_F(NotificationTest, CalendarHasOneEventPerRequestFromItsNextOccurrence) {
  const auto evening = eveningQuestion("8C1F");
  auto tip =
      reminder("Tockary tip", "", "Under the settings tab, you can export a CSV file.", 14, 6, 22);
  tip.identifier = "9D2E";
  const std::string text = iCalendarText({evening, tip}, at(2026, 12, 22, 16, 45, 30), utc);
  EXPECT_EQ(text,
            "BEGIN:VCALENDAR\r\n"
            "VERSION:2.0\r\n"
            "PRODID:-//Tockary//Reminders//EN\r\n"
            "CALSCALE:GREGORIAN\r\n"
            "BEGIN:VEVENT\r\n"
            "UID:8C1F@tockary\r\n"
            "DTSTAMP:20261222T164530Z\r\n"
            "DTSTART:20261222T180000\r\n"
            "RRULE:FREQ=DAILY\r\n"
            "SUMMARY:Did you wear a watch today?\r\n"
            "DESCRIPTION:Remember to mark any watches worn today!\r\n"
            "BEGIN:VALARM\r\n"
            "ACTION:DISPLAY\r\n"
            "TRIGGER:PT0M\r\n"
            "DESCRIPTION:Did you wear a watch today?\r\n"
            "END:VALARM\r\n"
            "END:VEVENT\r\n"
            "BEGIN:VEVENT\r\n"
            "UID:9D2E@tockary\r\n"
            "DTSTAMP:20261222T164530Z\r\n"
            "DTSTART:20270122T140600\r\n"
            "RRULE:FREQ=MONTHLY;BYMONTHDAY=22\r\n"
            "SUMMARY:Tockary tip\r\n"
            "DESCRIPTION:Under the settings tab\\, you can export a CSV file.\r\n"
            "BEGIN:VALARM\r\n"
            "ACTION:DISPLAY\r\n"
            "TRIGGER:PT0M\r\n"
            "DESCRIPTION:Tockary tip\r\n"
            "END:VALARM\r\n"
            "END:VEVENT\r\n"
            "END:VCALENDAR\r\n");
}

std::string startOf(const std::string& text) {
  for (const std::string& line : unfolded(text)) {
    if (line.starts_with("DTSTART:")) return line.substr(8);
  }
  return "";
}

TEST_F(NotificationTest, CalendarEventsStartAtTheNextOccurrenceAtOrAfterNow) {
  const auto daily = reminder("Daily", "", "", 18, 0);
  EXPECT_EQ(startOf(iCalendarText({daily}, at(2026, 12, 31, 18, 0), utc)), "20261231T180000");
  EXPECT_EQ(startOf(iCalendarText({daily}, at(2026, 12, 31, 18, 0, 1), utc)), "20270101T180000");
  const auto thirtyFirst = reminder("Tip", "", "", 14, 0, 31);
  EXPECT_EQ(startOf(iCalendarText({thirtyFirst}, at(2026, 11, 1, 0, 0), utc)), "20261231T140000");
  const auto twentyNinth = reminder("Tip", "", "", 14, 7, 29);
  EXPECT_EQ(startOf(iCalendarText({twentyNinth}, at(2027, 1, 30, 0, 0), utc)), "20270329T140700");
  // Wall-clock time of the zone, written without one.
  EXPECT_EQ(startOf(iCalendarText({daily}, at(2026, 12, 7, 16, 30), Calendar("Europe/Helsinki"))),
            "20261208T180000");
  // One that never fires has no event.
  const std::string never =
      iCalendarText({reminder("Never", "", "", 0, 0, 32)}, at(2026, 1, 1, 0, 0), utc);
  EXPECT_EQ(never.find("BEGIN:VEVENT"), std::string::npos);
}

TEST_F(NotificationTest, CalendarTextsAreEscapedAndLongLinesFoldedBetweenCharacters) {
  auto request = reminder("Seiko \"Turtle\"; SRP777, blue\\black", "2 year(s) 🍰🍾",
                          std::string(40, 'x') + "\r\nline\ttwo\x01 \xff", 9, 0);
  request.content.body += std::string(" ") + std::string(60, 'a') + "äöü🍰";
  for (int i = 0; i < 30; ++i) request.content.body += "🍾ä";
  const std::string text = iCalendarText({request}, at(2026, 12, 7, 8, 0), utc);

  for (const std::string& line : crlfLines(text)) {
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_TRUE(isValidUtf8(line)) << line;
  }
  const auto lines = unfolded(text);
  EXPECT_NE(
      std::find(lines.begin(), lines.end(), "SUMMARY:Seiko \"Turtle\"\\; SRP777\\, blue\\\\black"),
      lines.end());
  std::string description;
  for (const auto& line : lines) {
    if (line.starts_with("DESCRIPTION:2 year")) description = line;
  }
  std::string expected = "DESCRIPTION:2 year(s) 🍰🍾\\n" + std::string(40, 'x') +
                         "\\nline\ttwo \xEF\xBF\xBD " + std::string(60, 'a') + "äöü🍰";
  for (int i = 0; i < 30; ++i) expected += "🍾ä";
  EXPECT_EQ(description, expected);
}

// What Python's icalendar package reads in the text: one line per event.
std::string readByIcalendar(const std::filesystem::path& file) {
  const std::string script =
      "import json, sys, icalendar\n"
      "cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())\n"
      "print(cal['VERSION'], cal['PRODID'])\n"
      "for ev in cal.walk('VEVENT'):\n"
      "    alarm = ev.walk('VALARM')[0]\n"
      "    print(json.dumps([str(ev['UID']), ev.decoded('DTSTART').isoformat(),\n"
      "        ev['RRULE'].to_ical().decode(), str(ev.get('SUMMARY', '')),\n"
      "        str(ev.get('DESCRIPTION', '')), str(alarm['ACTION']),\n"
      "        str(alarm.decoded('TRIGGER')), str(alarm['DESCRIPTION'])], ensure_ascii=False))\n";
  const auto scriptFile = file.parent_path() / "read.py";
  testing::writeFile(scriptFile, script);
  const std::string command =
      "/usr/bin/python3 '" + scriptFile.string() + "' '" + file.string() + "' 2>&1";
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
      output.append(chunk, got);
    }
    ::pclose(pipe);
  }
  return output;
}

TEST_F(NotificationTest, CalendarIsReadBackWholeByACalendarLibrary) {
  const auto evening = eveningQuestion("A1");
  auto anniversary =
      reminder("Seiko \"Turtle\"; SRP777, blue\\black anniversary: ", "2 year(s) 🍰🍾",
               "Celebrate by wearing today!" + std::string(80, '!'), 9, 0);
  anniversary.identifier = "B2";
  auto tip = reminder("", "", "", 17, 1, 31);
  tip.identifier = "C3";
  const auto file = home.path() / "Tockary.ics";
  testing::writeFile(file, iCalendarText({evening, anniversary, tip}, at(2026, 12, 7, 12, 0), utc));

  EXPECT_EQ(readByIcalendar(file),
            "2.0 -//Tockary//Reminders//EN\n"
            "[\"A1@tockary\", \"2026-12-07T18:00:00\", \"FREQ=DAILY\", \"Did you wear a watch "
            "today?\", \"Remember to mark any watches worn today!\", \"DISPLAY\", \"0:00:00\", "
            "\"Did you wear a watch today?\"]\n"
            "[\"B2@tockary\", \"2026-12-08T09:00:00\", \"FREQ=DAILY\", \"Seiko \\\"Turtle\\\"; "
            "SRP777, blue\\\\black anniversary: \", \"2 year(s) 🍰🍾\\nCelebrate by wearing "
            "today!" +
                std::string(80, '!') +
                "\", \"DISPLAY\", \"0:00:00\", \"Seiko \\\"Turtle\\\"; SRP777, blue\\\\black "
                "anniversary: \"]\n"
                "[\"C3@tockary\", \"2026-12-31T17:01:00\", \"FREQ=MONTHLY;BYMONTHDAY=31\", \"\", "
                "\"\", \"DISPLAY\", \"0:00:00\", \"Tockary\"]\n");
}

}  // namespace
}  // namespace tockary
