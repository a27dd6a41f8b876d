#include "store/watch_hand_over.h"

namespace tockary {

namespace {

std::optional<double> number(const Kello& watch, std::string_view key) {
  const Value value = watch.valueForKey(key);
  if (const auto* d = std::get_if<double>(&value)) return *d;
  return std::nullopt;
}

}  // namespace

WatchHandOver handOverFrom(const Kello& watch) {
  WatchHandOver h;
  h.tempEditMerkki = watch.merkki();
  h.tempEditMalli = watch.malli();
  h.tempEditVuosimalli = watch.vuosimalli();
  h.tempEditRefKoodi = watch.refkoodi();
  h.tempEditSerialNumber = watch.sarjanumero();
  h.tempEditMovementType = watch.koneistotyyppi();
  h.tempEditMovement = watch.koneisto();
  h.tempEditPowerRes = watch.powerreserve();
  h.tempEditBph = watch.bph();
  h.tempEditHalkaisija = watch.halkaisija();
  h.tempEditKuorenMateriaali = watch.kuorenmateriaali();
  h.tempEditPaksuus = watch.paksuus();
  h.tempEditLugWidth = watch.lugivali();
  h.tempEditBezelMaterial = watch.bezelmateriaali();
  h.tempEditGlass = watch.lasi();
  h.tempEditWaterProof = watch.vedenpitavyys();
  h.tempEditDialColor = watch.tauluvari();
  h.tempEditCrownType = watch.kruunu();
  h.tempEditSetCompleteness = watch.setlaajuus();
  h.tempEditComplication1 = watch.komplikaatio1();
  h.tempEditComplication2 = watch.komplikaatio2();
  h.tempEditComplication3 = watch.komplikaatio3();
  h.tempEditComplication4 = watch.komplikaatio4();
  h.tempEditComplication5 = watch.komplikaatio5();
  h.tempEditComplication6 = watch.komplikaatio6();
  h.tempEditPurchasedFrom = watch.ostoliike();
  h.tempEditSoldTo = watch.myyntiliike();
  h.tempEditNotes = watch.varasarake3();
  h.tempEditLugToLug = watch.varasarake1();
  h.tempEditPurchasePrice = number(watch, "ostohinta");
  h.tempEditSoldPrice = number(watch, "myyntihinta");
  h.tempEditPurchaseDate = watch.ostopvm();
  h.tempEditWarrantyEndDate = watch.takuupvm();
  h.tempEditSoldDate = watch.myyntipvm();
  h.tempEditWatchPicture = watch.kellokuva();
  h.tempEditWatchPictureBack = watch.varasarake6();
  return h;
}

}  // namespace tockary
