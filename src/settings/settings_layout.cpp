#include "settings/settings_layout.h"

#include <array>

namespace tockary {

namespace {

constexpr std::array kSections = {
    SettingsSectionInfo{"Collection List",
                        "What each row of the collection shows. Fading dims watches that have "
                        "not been worn for a long time.",
                        0, 9},
    SettingsSectionInfo{"Reminders",
                        "Notifications about watches left unworn, long accuracy measurements, "
                        "ending warranties and purchase anniversaries, with occasional tips.",
                        9, 3},
    SettingsSectionInfo{"History Log",
                        "Adds dated lines to a watch's notes when it changes. Log either each "
                        "wear or every tenth wear.",
                        12, 3},
    SettingsSectionInfo{"Pictures",
                        "Stores new watch pictures as small JPEG files instead of PNG, to save "
                        "space.",
                        15, 1},
};

}  // namespace

std::span<const SettingsSectionInfo> settingsSections() { return kSections; }

}  // namespace tockary
