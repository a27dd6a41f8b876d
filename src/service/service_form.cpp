#include "service/service_form.h"

#include <array>

namespace tockary {

namespace {

constexpr std::string_view kPickDate = "Tap to pick a date";

constexpr std::array kServiceFields = {
    FieldDescriptor{.outlet = "serviceCentreTextField",
                    .attribute = "huoltoliike",
                    .caption = "Service Centre",
                    .kind = FieldKind::Text,
                    .option = "service-centre",
                    .section = "Service",
                    .placeholder = "Where the watch was serviced",
                    .example = "Watchmaker Oy"},
    FieldDescriptor{.outlet = "watchToServiceTextField",
                    .attribute = "huollonkello",
                    .caption = "Watch",
                    .kind = FieldKind::Catalogue,
                    .option = "watch",
                    .section = "Service",
                    .placeholder = "Tap to choose",
                    .picker = "watchPicker",
                    .prompt = "Choose Watch for Service: ",
                    .example = "Seiko SKX007"},
    FieldDescriptor{.outlet = "serviceStartDateTextField",
                    .attribute = "huoltopvm",
                    .caption = "Service Start Date",
                    .kind = FieldKind::Date,
                    .option = "start-date",
                    .section = "Dates",
                    .placeholder = kPickDate,
                    .prompt = "Choose Service Start Date",
                    .example = "2024-05-17"},
    FieldDescriptor{.outlet = "serviceEndDateTextField",
                    .attribute = "huollostapaluupvm",
                    .caption = "Return Date",
                    .kind = FieldKind::Date,
                    .option = "return-date",
                    .section = "Dates",
                    .placeholder = kPickDate,
                    .prompt = "Choose Service End Date",
                    .example = "2024-06-01"},
    FieldDescriptor{.outlet = "serviceWarrantyEndDateTextfield",
                    .attribute = "huoltotakuupvm",
                    .caption = "Service Warranty Until",
                    .kind = FieldKind::Date,
                    .option = "warranty-end-date",
                    .section = "Dates",
                    .placeholder = kPickDate,
                    .prompt = "Choose Service Warranty End Date",
                    .example = "2026-06-01"},
    FieldDescriptor{.outlet = "serviceReasonTextField",
                    .attribute = "huoltosyy",
                    .caption = "Reason",
                    .kind = FieldKind::Text,
                    .option = "reason",
                    .section = "Reason and Cost",
                    .placeholder = "Why it went to service",
                    .example = "Running slow"},
    FieldDescriptor{.outlet = "serviceCostTextField",
                    .attribute = "huoltohinta",
                    .caption = "Cost",
                    .kind = FieldKind::Number,
                    .option = "cost",
                    .section = "Reason and Cost",
                    .placeholder = "Cost without a currency sign",
                    .example = "250.50"},
    FieldDescriptor{.outlet = "serviceInfoTextView",
                    .attribute = "huoltokuvaus",
                    .caption = "Description",
                    .kind = FieldKind::Notes,
                    .option = "description",
                    .section = "Description",
                    .example = "Full service, new gaskets"},
};

}  // namespace

std::span<const FieldDescriptor> serviceFormFields() { return kServiceFields; }

}  // namespace tockary
