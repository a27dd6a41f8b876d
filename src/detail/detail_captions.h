#pragma once

// The fixed captions of the watch detail screen, beside the outlets they name.

#include <array>
#include <string_view>

namespace tockary {

struct OutletCaption {
  std::string_view outlet;
  std::string_view caption;
};

// The attribute fields in the order the screen lists them, each with its caption.
inline constexpr std::array<OutletCaption, 27> kDetailFieldCaptions = {{
    {"referenceTextField", "Reference"},
    {"serialNumberTextField", "Serial number"},
    {"halkaisijaTextField", "Diameter (mm)"},
    {"paksuusTextField", "Thickness (mm)"},
    {"lugValiTextField", "Lug width (mm)"},
    {"lugToLugTextField", "Lug to lug (mm)"},
    {"kuoriTextField", "Case material"},
    {"bezelTextField", "Bezel material"},
    {"lasiTextField", "Glass"},
    {"taulunVariTextField", "Dial colour"},
    {"kruunuTextField", "Crown"},
    {"vedenPitavyysTextField", "Water resistance"},
    {"complication1TextField", "Complication 1"},
    {"complication2TextField", "Complication 2"},
    {"complication3TextField", "Complication 3"},
    {"complication4TextField", "Complication 4"},
    {"complication5Textfield", "Complication 5"},
    {"complication6TextField", "Complication 6"},
    {"setCompletenessTextField", "Set completeness"},
    {"purchasedFromTextField", "Purchased from"},
    {"purchasedDateTextField", "Purchase date"},
    {"priceTextField", "Purchase price"},
    {"warrantyEndsTextField", "Warranty ends"},
    {"soldToTextField", "Sold to"},
    {"soldDateTextField", "Sold date"},
    {"soldPriceTextField", "Sold price"},
    {"notesTextView", "Notes and history"},
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

}  // namespace tockary
