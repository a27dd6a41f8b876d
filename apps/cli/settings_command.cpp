#include <iostream>
#include <memory>

#include "commands.h"
#include "output.h"
#include "settings/settings_table_view_controller.h"

namespace tockary::cli {

namespace {

std::string acceptedKeys() {
  std::string keys;
  for (const auto& info : settingsSwitches()) {
    if (!keys.empty()) keys += ", ";
    keys += info.key;
  }
  return keys;
}

const char* storedText(StoredFlag flag) {
  switch (flag) {
    case StoredFlag::True:
      return "on";
    case StoredFlag::False:
      return "off";
    case StoredFlag::Absent:
      return "not set";
    case StoredFlag::NotBoolean:
      return "not a boolean";
  }
  return "";
}

void printSwitches(CliEnvironment& env) {
  Output out(env.options().json);
  for (const auto& info : settingsSwitches()) {
    const char* state = storedText(env.defaults().value(info.key));
    out.json()[std::string(info.key)] = state;
    out.text().line(std::string(info.key) + ": " + state + "  (" + std::string(info.label) + ")");
  }
  out.print(std::cout);
}

}  // namespace

void addSettingsCommand(CLI::App& root, CommandAction& action) {
  auto* settings = root.add_subcommand(
      "settings",
      "Show the sixteen switches of the settings screen (on, off or not set), or turn one on or "
      "off:\n  tockary settings logEachWearSettingOn on");
  auto key = std::make_shared<std::string>();
  auto value = std::make_shared<std::string>();
  settings->add_option("KEY", *key, "A setting's key, as listed by `tockary settings`")
      ->check(utf8Text());
  settings->add_option("VALUE", *value, "on or off")->check(utf8Text());
  settings->callback([&action, key, value] {
    action = [key, value](CliEnvironment& env) {
      if (key->empty()) {
        printSwitches(env);
        return 0;
      }
      bool known = false;
      for (const auto& info : settingsSwitches()) known = known || info.key == *key;
      if (!known) throw UsageError{"unknown setting \"" + *key + "\"; accepted: " + acceptedKeys()};
      if (*value != "on" && *value != "off") {
        throw UsageError{value->empty() ? "setting " + *key + " needs a value: on or off"
                                        : "unknown value \"" + *value + "\" for " + *key +
                                              "; accepted: on, off"};
      }
      // As a user would: open the screen, then flip the switch, side effects and all.
      SettingsTableViewController screen(env.services());
      screen.initiateNotifications = env.reminderRebuild();
      screen.viewDidLoad();
      screen.setSwitch(*key, *value == "on");
      printSwitches(env);
      return 0;
    };
  });
}

}  // namespace tockary::cli
