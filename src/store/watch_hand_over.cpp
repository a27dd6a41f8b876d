#include "store/watch_hand_over.h"

#include <utility>
#include <variant>

namespace tockary {

namespace {

using H = WatchHandOver;
using Member = std::variant<std::optional<std::string> H::*, std::optional<double> H::*,
                            std::optional<Date> H::*, std::optional<Bytes> H::*>;

// Each hand-over value and the attribute it holds.
const std::pair<std::string_view, Member> kMembers[] = {
    {"merkki", &H::tempEditMerkki},
    {"malli", &H::tempEditMalli},
    {"vuosimalli", &H::tempEditVuosimalli},
    {"refkoodi", &H::tempEditRefKoodi},
    {"sarjanumero", &H::tempEditSerialNumber},
    {"koneistotyyppi", &H::tempEditMovementType},
    {"koneisto", &H::tempEditMovement},
    {"powerreserve", &H::tempEditPowerRes},
    {"bph", &H::tempEditBph},
    {"halkaisija", &H::tempEditHalkaisija},
    {"kuorenmateriaali", &H::tempEditKuorenMateriaali},
    {"paksuus", &H::tempEditPaksuus},
    {"lugivali", &H::tempEditLugWidth},
    {"bezelmateriaali", &H::tempEditBezelMaterial},
    {"lasi", &H::tempEditGlass},
    {"vedenpitavyys", &H::tempEditWaterProof},
    {"tauluvari", &H::tempEditDialColor},
    {"kruunu", &H::tempEditCrownType},
    {"setlaajuus", &H::tempEditSetCompleteness},
    {"komplikaatio1", &H::tempEditComplication1},
    {"komplikaatio2", &H::tempEditComplication2},
    {"komplikaatio3", &H::tempEditComplication3},
    {"komplikaatio4", &H::tempEditComplication4},
    {"komplikaatio5", &H::tempEditComplication5},
    {"komplikaatio6", &H::tempEditComplication6},
    {"ostoliike", &H::tempEditPurchasedFrom},
    {"myyntiliike", &H::tempEditSoldTo},
    {"varasarake3", &H::tempEditNotes},
    {"varasarake1", &H::tempEditLugToLug},
    {"ostohinta", &H::tempEditPurchasePrice},
    {"myyntihinta", &H::tempEditSoldPrice},
    {"ostopvm", &H::tempEditPurchaseDate},
    {"takuupvm", &H::tempEditWarrantyEndDate},
    {"myyntipvm", &H::tempEditSoldDate},
    {"kellokuva", &H::tempEditWatchPicture},
    {"varasarake6", &H::tempEditWatchPictureBack},
};

}  // namespace

WatchHandOver handOverFrom(const Kello& watch) {
  WatchHandOver h;
  for (const auto& [attribute, member] : kMembers) {
    const Value stored = watch.valueForKey(attribute);
    std::visit(
        [&](auto field) {
          using Held = typename std::remove_reference_t<decltype(h.*field)>::value_type;
          if (const auto* value = std::get_if<Held>(&stored)) h.*field = *value;
        },
        member);
  }
  return h;
}

Value WatchHandOver::value(std::string_view attribute) const {
  for (const auto& [name, member] : kMembers) {
    if (name != attribute) continue;
    return std::visit(
        [this](auto field) -> Value {
          const auto& held = this->*field;
          return held ? Value(*held) : Value();
        },
        member);
  }
  return {};
}

WatchEditRequest editRequestFor(const Kello& watch) {
  return {true, watch.objectID(), "Edit Watch Details", handOverFrom(watch)};
}

}  // namespace tockary
