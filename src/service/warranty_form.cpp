#include "service/warranty_form.h"

#include <array>

namespace tockary {

namespace {

constexpr std::array kWarrantyFields = {
    FieldDescriptor{.outlet = "brandAndModelTextField",
                    .attribute = "takuunKello",
                    .caption = "Watch",
                    .kind = FieldKind::Catalogue,
                    .option = "watch",
                    .section = "Warranty Card",
                    .placeholder = "Tap to choose",
                    .picker = "kelloPicker",
                    .prompt = "Choose Watch for adding Warranty Card: ",
                    .example = "Omega Speedmaster"},
    FieldDescriptor{.outlet = "warrantyCardScrollView",
                    .attribute = "takuuKortti",
                    .caption = "Warranty Card",
                    .kind = FieldKind::Picture,
                    .option = "picture",
                    .section = "Warranty Card",
                    .placeholder = "Tap to choose a picture of the card",
                    .example = "card.jpg"},
};

}  // namespace

std::span<const FieldDescriptor> warrantyFormFields() { return kWarrantyFields; }

}  // namespace tockary
