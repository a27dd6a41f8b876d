#pragma once

#include <array>
#include <string_view>

namespace tockary {

// The movement types (`koneistotyyppi`) in picker order, as stored: the editor's catalogue and
// the list's filter share them.
inline constexpr std::array<std::string_view, 12> kMovementTypes = {
    "Automatic",  "Electro-Mechanical", "Kinetic", "Manual",      "Mechanical Quartz", "Quartz",
    "Smartwatch", "Spring Drive",       "Solar",   "Tuning Fork", "Tourbillon",        "Other"};

}  // namespace tockary
