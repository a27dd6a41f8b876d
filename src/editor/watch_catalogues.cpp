#include "editor/watch_catalogues.h"

#include <algorithm>

#include "watch/movement_types.h"

namespace tockary {

namespace {

constexpr std::string_view kBph[] = {"3600",  "7200",  "18000", "19800",   "21600",   "25200",
                                     "28800", "36000", "72000", "32768Hz", "262144Hz"};

constexpr std::string_view kCaseMaterials[] = {"Aluminium",
                                               "Bioceramic",
                                               "Brass",
                                               "Brass (Chrome-Coated)",
                                               "Brass (Nickel-Coated)",
                                               "Bronze",
                                               "Carbon",
                                               "Ceramic",
                                               "Chrome-Plated",
                                               "Damascus Steel",
                                               "DLC",
                                               "Ergal Aluminium",
                                               "Forged Carbon",
                                               "Gold (Capped)",
                                               "Gold (Filled)",
                                               "Gold (Plated)",
                                               "Gold (Rose)",
                                               "Gold (White)",
                                               "Gold (Yellow)",
                                               "Mother Of Pearl",
                                               "Plastic",
                                               "Platinum",
                                               "PVD",
                                               "Rose Gold and Steel",
                                               "Rubber",
                                               "Stainless Steel",
                                               "Silver",
                                               "Tantalum",
                                               "Timascus",
                                               "Titanium",
                                               "Titanium (Grade 2)",
                                               "Titanium (Grade 3)",
                                               "Titanium (Grade 4)",
                                               "Titanium (Grade 5)",
                                               "Tungsten",
                                               "Yellow Gold and Steel"};

constexpr std::string_view kBezelMaterials[] = {"Aluminium",
                                                "Bakelite",
                                                "Bioceramic",
                                                "Brass",
                                                "Brass (Chrome-Coated)",
                                                "Brass (Nickel-Coated)",
                                                "Bronze",
                                                "Carbon",
                                                "Ceramic",
                                                "DLC",
                                                "Ergal Aluminium",
                                                "Gold (Capped)",
                                                "Gold (Filled)",
                                                "Gold (Plated)",
                                                "Gold (Rose)",
                                                "Gold (White)",
                                                "Gold (Yellow)",
                                                "Hardlex Mineral Glass",
                                                "K1 Mineral Glass",
                                                "Plastic",
                                                "Platinum",
                                                "PVD",
                                                "Rubber",
                                                "Sapphire Glass",
                                                "Tantalum",
                                                "Titanium",
                                                "Titanium (Grade 2)",
                                                "Titanium (Grade 3)",
                                                "Titanium (Grade 4)",
                                                "Titanium (Grade 5)",
                                                "Tungsten",
                                                "Stainless Steel",
                                                "Silver",
                                                "None"};

constexpr std::string_view kGlass[] = {"Acrylic Glass",
                                       "Box Crystal",
                                       "Domed Plexi",
                                       "Double Domed Plexi",
                                       "Domed Sapphire ",
                                       "Double Domed Sapphire",
                                       "Hardlex",
                                       "Hesalite",
                                       "K1 Mineral Glass",
                                       "Mineral Glass",
                                       "Nano-Ceramic Glass",
                                       "Plexi Glass",
                                       "Sapphire Crystal"};

constexpr std::string_view kWaterProof[] = {
    "None",    "1 ATM",  "2 ATM",   "3 ATM",   "4 ATM",   "5 ATM",   "6 ATM",  "7 ATM",   "8 ATM",
    "9 ATM",   "10 ATM", "15 ATM",  "20 ATM",  "30 ATM",  "50 ATM",  "60 ATM", "100 ATM", "150 ATM",
    "200 ATM", "250ATM", "300 ATM", "350 ATM", "400 ATM", "450 ATM", "500 ATM"};

constexpr std::string_view kDialColors[] = {"Black",
                                            "Blue",
                                            "Brown",
                                            "Carbon Fiber",
                                            "Champagne",
                                            "Cream",
                                            "Gold",
                                            "Green",
                                            "Gray",
                                            "Meteorite",
                                            "Mother Of Pearl",
                                            "Ombré",
                                            "Orange",
                                            "Panda",
                                            "Porcelain",
                                            "Pink",
                                            "Purple",
                                            "Red",
                                            "Salmon",
                                            "Sapphire",
                                            "Skeleton",
                                            "Silver",
                                            "Sunburst",
                                            "Tri-Tone",
                                            "Two-Tone",
                                            "Yellow",
                                            "Waffle",
                                            "White",
                                            "Other"};

constexpr std::string_view kCrownTypes[] = {"Regular", "Screw-Down", "Multi-Function", "Protected"};

constexpr std::string_view kSetCompleteness[] = {"Full Set", "Watch & Box & Papers",
                                                 "Watch and Box", "Watch and Papers", "Watch only"};

constexpr std::string_view kComplications[] = {"Alarm",
                                               "Altimeter",
                                               "AM/PM Indicator",
                                               "Annual Calendar",
                                               "Barometer",
                                               "Calendar",
                                               "Center Seconds",
                                               "Chronograph",
                                               "Compass",
                                               "Countdown Timer",
                                               "Date",
                                               "Date By Hand",
                                               "Day",
                                               "Day/Night Indicator",
                                               "Depth Gauge",
                                               "Dual Time",
                                               "Dead Seconds",
                                               "Equation of Time",
                                               "Five-Minute Repeater",
                                               "Foudroyante",
                                               "Fly-Back Chronograph",
                                               "GMT",
                                               "Grande Sonnerie",
                                               "Hacking",
                                               "Half-Quarter Repeater ",
                                               "Helium Escape Valve",
                                               "Internal Rotating Bezel",
                                               "Jump Hour",
                                               "Minute Repeater",
                                               "Monopusher Chronograph",
                                               "Moonphase",
                                               "Multiple Time Zones",
                                               "Perpetual Calendar",
                                               "Planetarium Dial",
                                               "Power Reserve Indicator",
                                               "Pulsimeter",
                                               "Remontoire",
                                               "Repeater",
                                               "Small Seconds",
                                               "Split-Seconds Chronograph",
                                               "Tachymeter",
                                               "Telemeter",
                                               "Thermometer",
                                               "Tide Indicator",
                                               "Tourbillon",
                                               "Quarter Repeater",
                                               "World Timer",
                                               "24 Hour Subdial"};

std::vector<int> descending(int from, int to) {
  std::vector<int> values;
  for (int v = from; v >= to; --v) values.push_back(v);
  return values;
}

}  // namespace

Catalogue movementTypeCatalogue() { return kMovementTypes; }
Catalogue bphCatalogue() { return kBph; }
Catalogue caseMaterialCatalogue() { return kCaseMaterials; }
Catalogue bezelMaterialCatalogue() { return kBezelMaterials; }
Catalogue glassCatalogue() { return kGlass; }
Catalogue waterProofCatalogue() { return kWaterProof; }
Catalogue dialColorCatalogue() { return kDialColors; }
Catalogue crownTypeCatalogue() { return kCrownTypes; }
Catalogue setCompletenessCatalogue() { return kSetCompleteness; }
Catalogue complicationCatalogue() { return kComplications; }

int rowOf(Catalogue catalogue, std::string_view text) {
  const auto it = std::find(catalogue.begin(), catalogue.end(), text);
  return it == catalogue.end() ? -1 : static_cast<int>(it - catalogue.begin());
}

std::vector<int> yearList(int currentYear) {
  return descending(std::max(currentYear, kNewestYearAtLeast), kOldestYear);
}

std::vector<int> powerReserveList() { return descending(479, 0); }

std::vector<int> lugWidthList() { return descending(99, 0); }

const MilliData& milliData() {
  static const MilliData data = [] {
    MilliData d;
    for (int i = 1; i <= 100; ++i) d[0].push_back(std::to_string(i));
    d[1].assign(100, ".");
    for (int i = 0; i <= 100; ++i) d[2].push_back(std::to_string(i));
    return d;
  }();
  return data;
}

}  // namespace tockary
