#pragma once

// What every screen calls each attribute of a watch: the editor's fields, the detail screen's
// rows and the command line's captions use these words, so one field never has two names.

#include <array>
#include <string_view>
#include <utility>

namespace tockary {

// Stands for a figure that cannot be shown (an amount, a date, a rate).
inline constexpr std::string_view kNoFigure = "-----";

inline constexpr std::array<std::pair<std::string_view, std::string_view>, 36> kWatchCaptions = {{
    {"kellokuva", "Front picture"},
    {"varasarake6", "Back picture"},
    {"merkki", "Brand"},
    {"malli", "Model"},
    {"vuosimalli", "Year"},
    {"refkoodi", "Reference"},
    {"sarjanumero", "Serial number"},
    {"koneistotyyppi", "Movement type"},
    {"koneisto", "Caliber"},
    {"powerreserve", "Power reserve (h)"},
    {"bph", "Vibrations per hour"},
    {"halkaisija", "Diameter (mm)"},
    {"kuorenmateriaali", "Case material"},
    {"paksuus", "Thickness (mm)"},
    {"lugivali", "Lug width (mm)"},
    {"varasarake1", "Lug to lug (mm)"},
    {"bezelmateriaali", "Bezel material"},
    {"lasi", "Glass"},
    {"vedenpitavyys", "Water resistance"},
    {"tauluvari", "Dial color"},
    {"kruunu", "Crown type"},
    {"komplikaatio1", "Complication 1"},
    {"komplikaatio2", "Complication 2"},
    {"komplikaatio3", "Complication 3"},
    {"komplikaatio4", "Complication 4"},
    {"komplikaatio5", "Complication 5"},
    {"komplikaatio6", "Complication 6"},
    {"setlaajuus", "Set completeness"},
    {"ostoliike", "Purchased from"},
    {"ostopvm", "Purchase date"},
    {"takuupvm", "Warranty until"},
    {"ostohinta", "Purchase price"},
    {"myyntiliike", "Sold to"},
    {"myyntipvm", "Sold date"},
    {"myyntihinta", "Sold price"},
    {"varasarake3", "Notes and history"},
}};

// The caption of a stored attribute ("halkaisija" → "Diameter (mm)"); empty for one without.
constexpr std::string_view watchCaption(std::string_view attribute) {
  for (const auto& [name, caption] : kWatchCaptions) {
    if (name == attribute) return caption;
  }
  return {};
}

}  // namespace tockary
