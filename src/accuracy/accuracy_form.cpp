#include "accuracy/accuracy_form.h"

#include <array>

#include "accuracy/measurement.h"

namespace tockary {

namespace {

constexpr std::array kAccuracyFields = {
    FieldDescriptor{.outlet = "watchToMeasureTextField",
                    .attribute = "varaString1",
                    .caption = "Watch",
                    .kind = FieldKind::Catalogue,
                    .option = "watch",
                    .section = "Measurement",
                    .placeholder = "Tap to choose",
                    .picker = "watchPicker",
                    .prompt = "Choose Watch for measurement: ",
                    .example = "Seiko SKX007"},
    FieldDescriptor{.outlet = "measureEnvironmentTextField",
                    .attribute = "varaString3",
                    .caption = "Environment",
                    .kind = FieldKind::Catalogue,
                    .option = "env",
                    .section = "Measurement",
                    .placeholder = "Tap to choose",
                    .picker = "measureEnvironmentPicker",
                    .prompt = "Choose measure environment: ",
                    .choices = kMeasureEnvironments,
                    .proposal = kMeasureEnvironments.front(),
                    .example = "On winder"},
};

}  // namespace

std::span<const FieldDescriptor> accuracyFormFields() { return kAccuracyFields; }

}  // namespace tockary
