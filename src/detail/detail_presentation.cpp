#include "detail/detail_presentation.h"

#include <array>
#include <string_view>

#include "platform/format/number_text.h"

namespace tockary {

namespace {

bool present(const std::optional<std::string>& value) { return value && !value->empty(); }

bool isOneOf(std::string_view text, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (text == name) return true;
  }
  return false;
}

}  // namespace

WatchIdentity watchIdentity(const std::optional<std::string>& brand,
                            const std::optional<std::string>& model,
                            const std::optional<std::string>& year, const Formatters& formatters) {
  if (present(brand)) {
    std::string line = *brand;
    if (present(model)) {
      line += ", " + *model;
      if (present(year)) line += "  ( " + *year + " )";
    }
    return {line, formatters.upperCase(*brand)};
  }
  if (present(model)) return {*model, formatters.upperCase(*model)};
  if (present(year)) return {"Year " + *year, std::nullopt};
  return {"Please fill in Watch Details", std::nullopt};
}

std::string movementSentence(const std::optional<std::string>& type,
                             const std::optional<std::string>& calibre,
                             const std::optional<std::string>& powerReserve,
                             const std::optional<std::string>& beatRate) {
  if (!type) return "No movement details";
  const std::string& t = *type;
  const bool vowel = isOneOf(t, {"Automatic", "Other"});
  const bool springDrive = t == "Spring Drive";
  const bool quartz = isOneOf(t, {"Quartz", "Mechanical Quartz"});
  const bool plain = !t.empty() && !vowel && !springDrive && !quartz;
  const bool k = present(calibre);
  const bool p = present(powerReserve);
  const bool b = present(beatRate);
  const std::string article = vowel ? "This watch has an " : "This watch has a ";
  // Absent calibre and power reserve are only read where they are known to be there.
  const std::string kText = calibre.value_or("");
  const std::string pText = powerReserve.value_or("");
  const std::string bText = beatRate.value_or("");
  const std::string withReserve = " movement with " + pText + " hours power reserve.";

  if ((vowel || plain) && k && p && b) {
    return article + t + " " + kText + withReserve + " The movement has a frequency of " + bText +
           " vph.";
  }
  if ((springDrive || quartz) && k && b) {
    const std::string frequency = springDrive
                                      ? " The movement has a vibration frequency of "
                                      : " The movement has a quartz vibration frequency of ";
    if (p) return article + t + " " + kText + withReserve + frequency + bText;
    return article + t + " " + kText + " movement." + frequency + bText;
  }
  if ((vowel || plain) && k && p) return article + t + " " + kText + withReserve;
  if (calibre && p) return "This watch has " + t + " " + kText + withReserve + " ";
  if (k) return "This watch has " + t + " " + kText + " movement";
  if (!t.empty()) return article + t + " movement.";
  return "No movement details";
}

std::string amountText(double amount, const Formatters& formatters) {
  std::string text = formatters.currency(amount);
  return text.empty() ? std::string(kNoFigure) : text;
}

std::string costPerWearText(std::optional<double> price, double count,
                            const Formatters& formatters) {
  const double perWear = price.value_or(0) / count;
  if (perWear == 0) return std::string(kNoFigure);
  return amountText(perWear, formatters);
}

}  // namespace tockary
