#pragma once

// The fixed captions of the watch detail screen, beside the outlets they name.

#include <array>
#include <string_view>

#include "store/watch_captions.h"

namespace tockary {

struct OutletCaption {
  std::string_view outlet;
  std::string_view caption;
};

// The attribute fields in the order the screen lists them, each with the caption every screen
// gives its attribute.
inline constexpr std::array<OutletCaption, 27> kDetailFieldCaptions = {{
    {"referenceTextField", watchCaption("refkoodi")},
    {"serialNumberTextField", watchCaption("sarjanumero")},
    {"halkaisijaTextField", watchCaption("halkaisija")},
    {"paksuusTextField", watchCaption("paksuus")},
    {"lugValiTextField", watchCaption("lugivali")},
    {"lugToLugTextField", watchCaption("varasarake1")},
    {"kuoriTextField", watchCaption("kuorenmateriaali")},
    {"bezelTextField", watchCaption("bezelmateriaali")},
    {"lasiTextField", watchCaption("lasi")},
    {"taulunVariTextField", watchCaption("tauluvari")},
    {"kruunuTextField", watchCaption("kruunu")},
    {"vedenPitavyysTextField", watchCaption("vedenpitavyys")},
    {"complication1TextField", watchCaption("komplikaatio1")},
    {"complication2TextField", watchCaption("komplikaatio2")},
    {"complication3TextField", watchCaption("komplikaatio3")},
    {"complication4TextField", watchCaption("komplikaatio4")},
    {"complication5Textfield", watchCaption("komplikaatio5")},
    {"complication6TextField", watchCaption("komplikaatio6")},
    {"setCompletenessTextField", watchCaption("setlaajuus")},
    {"purchasedFromTextField", watchCaption("ostoliike")},
    {"purchasedDateTextField", watchCaption("ostopvm")},
    {"priceTextField", watchCaption("ostohinta")},
    {"warrantyEndsTextField", watchCaption("takuupvm")},
    {"soldToTextField", watchCaption("myyntiliike")},
    {"soldDateTextField", watchCaption("myyntipvm")},
    {"soldPriceTextField", watchCaption("myyntihinta")},
    {"notesTextView", watchCaption("varasarake3")},
}};

// The wear figures with their captions.
inline constexpr std::array<OutletCaption, 5> kDetailWearCaptions = {{
    {"timesWornLabel", "Times worn"},
    {"dateLastWornLabel", "Last worn"},
    {"daysAgoLabel", "Days ago"},
    {"keeperRateLabel", "Wear rate"},
    {"costPerWearLabel", "Cost per wear"},
}};

// The texts of the dimension diagram, by their roles, in the order the screen places them.
inline constexpr std::array<OutletCaption, 8> kDiagramCaptions = {{
    {"diameter", "Diameter"},
    {"lugWidth", "Lug width"},
    {"lugToLug", "Lug to lug"},
    {"thickness", "Thickness"},
    {"glass", "Glass"},
    {"caseMaterial", "Case material"},
    {"bezelMaterial", "Bezel material"},
    {"crown", "Crown"},
}};

// The picture view in words: the watch's own picture of a face, none, or the diagram.
inline constexpr std::string_view kPictureCaption = "Picture";
inline constexpr std::string_view kFrontPictureText = "front picture";
inline constexpr std::string_view kBackPictureText = "back picture";
inline constexpr std::string_view kNoPictureText = "no picture";
inline constexpr std::string_view kDiagramPictureText = "dimension diagram";

// The screen's buttons.
inline constexpr std::string_view kWearButtonTitle = "Worn today";
inline constexpr std::string_view kResetButtonTitle = "Reset or adjust";
inline constexpr std::string_view kEditButtonTitle = "Edit";
inline constexpr std::string_view kStatusCaption = "Status";
inline constexpr std::string_view kShareButtonTitle = "Share";
// Above the share button and the report buttons (kReportLayouts' titles).
inline constexpr std::string_view kReportsCaption = "Share and reports";

}  // namespace tockary
