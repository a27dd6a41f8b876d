#pragma once

#include <span>
#include <string_view>

#include "forms/form_field.h"

namespace tockary {

// The screens of the warranty cards, by the names under which front ends know them.
inline constexpr std::string_view kWarrantyListScreen = "MyWarrantiesTableViewController";
inline constexpr std::string_view kWarrantyDetailScreen = "TarkasteleTakuutaTableViewController";
inline constexpr std::string_view kWarrantyEditorScreen = "InsertWarrantyTableViewController";

// The picture a card is saved with when none was chosen.
inline constexpr std::string_view kNoWarrantyCardPicture = "WCard_nopic.png";

// The fields of the warranty editor in the order the form shows them: the watch and the card's
// picture. The detail screen shows the same values under the same captions.
std::span<const FieldDescriptor> warrantyFormFields();

}  // namespace tockary
