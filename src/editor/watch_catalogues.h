#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form_field.h"

namespace tockary {

// The fixed lists the editor's pickers offer. Their texts are the stored values, byte for byte:
// "Domed Sapphire " and "Half-Quarter Repeater " keep their trailing blank, "250ATM" has none.
using Catalogue = Choices;

Catalogue movementTypeCatalogue();     // koneistotyyppi, 12 rows
Catalogue bphCatalogue();              // bph, 11 rows
Catalogue caseMaterialCatalogue();     // kuorenmateriaali, 36 rows
Catalogue bezelMaterialCatalogue();    // bezelmateriaali, 34 rows
Catalogue glassCatalogue();            // lasi, 13 rows
Catalogue waterProofCatalogue();       // vedenpitavyys, 25 rows
Catalogue dialColorCatalogue();        // tauluvari, 29 rows
Catalogue crownTypeCatalogue();        // kruunu, 4 rows
Catalogue setCompletenessCatalogue();  // setlaajuus, 5 rows
Catalogue complicationCatalogue();     // komplikaatio1 ... komplikaatio6, 48 rows

// The row of `text` in the catalogue, compared exactly; -1 when it is not there.
int rowOf(Catalogue catalogue, std::string_view text);

// The oldest model year offered, and the newest year that is offered even when the clock is
// earlier (a clock set back must not hide years that were already offered).
inline constexpr int kOldestYear = 1800;
inline constexpr int kNewestYearAtLeast = 2025;

// Model years, newest first: max(currentYear, 2025) down to 1800.
std::vector<int> yearList(int currentYear);
// Power reserve hours, 479 down to 0; starting text "40" at row 439.
std::vector<int> powerReserveList();
// Lug widths in millimetres, 99 down to 0; starting text "20" at row 79.
std::vector<int> lugWidthList();

// The three columns of the measure pickers: "1" ... "100", 100 copies of ".", "0" ... "100".
// The pickers show 100, 1 and 100 rows of them, so the fraction "100" is never reachable.
using MilliData = std::array<std::vector<std::string>, 3>;
const MilliData& milliData();

inline constexpr int kPowerReserveStartRow = 439;
inline constexpr int kLugWidthStartRow = 79;
inline constexpr int kLugToLugStartRow = 41;  // whole millimetres "42"

}  // namespace tockary
