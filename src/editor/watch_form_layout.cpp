#include "editor/watch_form_layout.h"

#include <array>

namespace tockary {

namespace {

using S = InsertWatchTableViewController;
using enum FormInput;

constexpr std::string_view kChoose = "Tap to choose";
constexpr std::string_view kPickDate = "Tap to pick a date";

constexpr std::array kWatchRows = {
    FormRowInfo{"manufacturerTextField", "Brand", "Brand, e.g. Seiko", &S::manufacturerTextField,
                Keyboard},
    FormRowInfo{"modelTextField", "Model", "Model name", &S::modelTextField, Keyboard},
    FormRowInfo{"yearTextField", "Year", kChoose, &S::yearTextField, Wheel},
    FormRowInfo{"refTextField", "Reference", "Reference number", &S::refTextField, Keyboard},
    FormRowInfo{"serialNumberTextField", "Serial Number", "Serial number",
                &S::serialNumberTextField, Keyboard},
};
constexpr std::array kMovementRows = {
    FormRowInfo{"movementTypeTextField", "Movement Type", kChoose, &S::movementTypeTextField,
                Wheel},
    FormRowInfo{"movementTextField", "Caliber", "Movement, e.g. 7S26", &S::movementTextField,
                Keyboard},
    FormRowInfo{"powerResTextField", "Power Reserve (h)", kChoose, &S::powerResTextField, Wheel},
    FormRowInfo{"bphTextField", "Vibrations Per Hour", kChoose, &S::bphTextField, Wheel},
};
constexpr std::array kCaseRows = {
    FormRowInfo{"caseDiameterTextField", "Diameter (mm)", kChoose, &S::caseDiameterTextField,
                MeasureWheel},
    FormRowInfo{"caseMaterialTextField", "Case Material", kChoose, &S::caseMaterialTextField,
                Wheel},
    FormRowInfo{"thicknessTextField", "Thickness (mm)", kChoose, &S::thicknessTextField,
                MeasureWheel},
    FormRowInfo{"lugWidthTextField", "Lug Width (mm)", kChoose, &S::lugWidthTextField, Wheel},
    FormRowInfo{"lugToLugTextField", "Lug-to-Lug (mm)", kChoose, &S::lugToLugTextField,
                MeasureWheel},
    FormRowInfo{"bezelMaterialTextField", "Bezel Material", kChoose, &S::bezelMaterialTextField,
                Wheel},
    FormRowInfo{"glassTextField", "Glass", kChoose, &S::glassTextField, Wheel},
    FormRowInfo{"waterProofTextField", "Water Resistance", kChoose, &S::waterProofTextField, Wheel},
    FormRowInfo{"dialColorTextField", "Dial Color", kChoose, &S::dialColorTextField, Wheel},
    FormRowInfo{"crownTypeTextField", "Crown Type", kChoose, &S::crownTypeTextField, Wheel},
};
constexpr std::array kComplicationRows = {
    FormRowInfo{"complication1TextField", "Complication 1", kChoose, &S::complication1TextField,
                Wheel},
    FormRowInfo{"complication2TextField", "Complication 2", kChoose, &S::complication2TextField,
                Wheel},
    FormRowInfo{"complication3TextField", "Complication 3", kChoose, &S::complication3TextField,
                Wheel},
    FormRowInfo{"complication4TextField", "Complication 4", kChoose, &S::complication4TextField,
                Wheel},
    FormRowInfo{"complication5TextField", "Complication 5", kChoose, &S::complication5TextField,
                Wheel},
    FormRowInfo{"complication6TextField", "Complication 6", kChoose, &S::complication6TextField,
                Wheel},
};
constexpr std::array kPurchaseRows = {
    FormRowInfo{"setCompletenessTextField", "Set Completeness", kChoose,
                &S::setCompletenessTextField, Wheel},
    FormRowInfo{"purchasedFromTextField", "Purchased From", "Shop or seller",
                &S::purchasedFromTextField, Keyboard},
    FormRowInfo{"purchaseDateTextField", "Purchase Date", kPickDate, &S::purchaseDateTextField,
                DateWheel},
    FormRowInfo{"warrantyEndDateTexField", "Warranty Until", kPickDate, &S::warrantyEndDateTexField,
                DateWheel},
    FormRowInfo{"priceTextField", "Price", "Amount without currency sign", &S::priceTextField,
                Keyboard},
};
constexpr std::array kSaleRows = {
    FormRowInfo{"soldToTextField", "Sold To", "Buyer; empty while you own it", &S::soldToTextField,
                Keyboard},
    FormRowInfo{"soldDateTextField", "Sold Date", kPickDate, &S::soldDateTextField, DateWheel},
    FormRowInfo{"soldPriceTextField", "Sold Price", "Amount without currency sign",
                &S::soldPriceTextField, Keyboard},
};

const std::array kSections = {
    FormSectionInfo{"Watch", kWatchRows},
    FormSectionInfo{"Movement", kMovementRows},
    FormSectionInfo{"Case and Dial", kCaseRows},
    FormSectionInfo{"Complications", kComplicationRows},
    FormSectionInfo{"Purchase", kPurchaseRows},
    FormSectionInfo{"Sale", kSaleRows},
};

}  // namespace

std::span<const FormSectionInfo> watchFormSections() { return kSections; }

const FormRowInfo* watchFormRow(std::string_view outlet) {
  for (const auto& section : kSections) {
    for (const auto& row : section.rows) {
      if (row.outlet == outlet) return &row;
    }
  }
  return nullptr;
}

}  // namespace tockary
