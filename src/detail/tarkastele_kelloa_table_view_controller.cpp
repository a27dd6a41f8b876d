#include "detail/tarkastele_kelloa_table_view_controller.h"

#include <cmath>
#include <cstdlib>

#include "detail/detail_captions.h"
#include "detail/detail_presentation.h"
#include "platform/format/number_text.h"
#include "platform/image/image_codec.h"
#include "platform/render/renderer.h"
#include "platform/share/desktop_share.h"
#include "platform/ui/diagnostics.h"
#include "settings/preference_keys.h"
#include "store/collection_model.h"
#include "store/screens.h"
#include "store/share_rules.h"
#include "store/store_busy_alert.h"
#include "store/watch_pictures.h"
#include "watch/history_log.h"

namespace tockary {

namespace {

std::optional<double> optionalNumber(const Kello& watch, std::string_view key) {
  const Value value = watch.valueForKey(key);
  if (const auto* number = std::get_if<double>(&value)) return *number;
  return std::nullopt;
}

std::shared_ptr<const Bytes> shared(std::optional<Bytes> bytes) {
  if (!bytes) return nullptr;
  return std::make_shared<const Bytes>(std::move(*bytes));
}

// Plain fields keep what they showed when the watch has no value.
void showIfPresent(std::string& outlet, const std::optional<std::string>& value) {
  if (value) outlet = *value;
}

bool present(const std::optional<std::string>& value) { return value && !value->empty(); }

std::string measureText(const std::optional<std::string>& value) {
  return present(value) ? *value + " mm" : "??";
}

std::string diagramText(const std::optional<std::string>& value) {
  return present(value) ? *value : "??";
}

}  // namespace

TarkasteleKelloaTableViewController::TarkasteleKelloaTableViewController(AppServices& services,
                                                                         ObjectID kelloID)
    : services_(services), kelloID_(std::move(kelloID)) {}

std::shared_ptr<Kello> TarkasteleKelloaTableViewController::watch() const {
  return services_.context().existingObject<Kello>(kelloID_);
}

void TarkasteleKelloaTableViewController::fetch() {
  fetched_ = true;
  snapshot_ = {};
  const std::shared_ptr<Kello> w = watch();
  found_ = w != nullptr;
  if (!w) {
    title_.reset();
    return;
  }
  WatchSnapshot& s = snapshot_;
  s.tempMerkki = w->merkki();
  s.tempMalli = w->malli();
  s.tempVuosi = w->vuosimalli();
  s.tempRef = w->refkoodi();
  s.tempSerial = w->sarjanumero();
  s.tempKelloKuva = shared(w->kellokuva());
  s.tempKelloKuvaBack = shared(w->varasarake6());
  s.tempKoneistoTyyppi = w->koneistotyyppi();
  s.tempKoneisto = w->koneisto();
  s.tempPowerReserve = w->powerreserve();
  s.tempBph = w->bph();
  s.tempHalkaisija = w->halkaisija();
  s.tempKuorenMateriaali = w->kuorenmateriaali();
  s.tempPaksuus = w->paksuus();
  s.tempLugWidth = w->lugivali();
  s.tempLugToLugWidth = w->varasarake1();
  s.tempBezelMaterial = w->bezelmateriaali();
  s.tempGlass = w->lasi();
  s.tempWaterProof = w->vedenpitavyys();
  s.tempDialColor = w->tauluvari();
  s.tempCrownType = w->kruunu();
  s.tempSetCompleteness = w->setlaajuus();
  s.tempComplication1 = w->komplikaatio1();
  s.tempComplication2 = w->komplikaatio2();
  s.tempComplication3 = w->komplikaatio3();
  s.tempComplication4 = w->komplikaatio4();
  s.tempComplication5 = w->komplikaatio5();
  s.tempComplication6 = w->komplikaatio6();
  s.tempPurchasedFrom = w->ostoliike();
  s.tempPurchaseDate = w->ostopvm();
  s.tempPurchasePrice = optionalNumber(*w, "ostohinta");
  s.tempWarrantyEndDate = w->takuupvm();
  s.tempSoldDate = w->myyntipvm();
  s.tempSoldTo = w->myyntiliike();
  s.tempSoldPrice = optionalNumber(*w, "myyntihinta");
  s.tempNotes = w->varasarake3();
  s.tempStatus = w->varasarake2();
  s.tempDateLastWorn = w->varasarake5();
  s.tempTimesWorn = optionalNumber(*w, "varasarake4");
  title_ = w->merkki();
}

void TarkasteleKelloaTableViewController::viewDidLoad() {
  if (!fetched_) fetch();
  load();
}

void TarkasteleKelloaTableViewController::load() {
  const WatchSnapshot& s = snapshot_;
  WatchDetailOutputs& o = outputs_;
  const Formatters& formatters = services_.formatters;

  WatchIdentity identity = watchIdentity(s.tempMerkki, s.tempMalli, s.tempVuosi, formatters);
  o.basicWatchDetailsLabel = std::move(identity.line);
  if (identity.title) title_ = std::move(identity.title);

  drawPicture();
  o.movementDetailsLabel =
      movementSentence(s.tempKoneistoTyyppi, s.tempKoneisto, s.tempPowerReserve, s.tempBph);

  showIfPresent(o.referenceTextField, s.tempRef);
  showIfPresent(o.serialNumberTextField, s.tempSerial);
  showIfPresent(o.halkaisijaTextField, s.tempHalkaisija);
  showIfPresent(o.paksuusTextField, s.tempPaksuus);
  showIfPresent(o.kuoriTextField, s.tempKuorenMateriaali);
  showIfPresent(o.taulunVariTextField, s.tempDialColor);
  showIfPresent(o.lasiTextField, s.tempGlass);
  showIfPresent(o.bezelTextField, s.tempBezelMaterial);
  showIfPresent(o.lugValiTextField, s.tempLugWidth);
  showIfPresent(o.lugToLugTextField, s.tempLugToLugWidth);
  showIfPresent(o.kruunuTextField, s.tempCrownType);
  showIfPresent(o.vedenPitavyysTextField, s.tempWaterProof);
  showIfPresent(o.complication1TextField, s.tempComplication1);
  showIfPresent(o.complication2TextField, s.tempComplication2);
  showIfPresent(o.complication3TextField, s.tempComplication3);
  showIfPresent(o.complication4TextField, s.tempComplication4);
  showIfPresent(o.complication5Textfield, s.tempComplication5);
  showIfPresent(o.complication6TextField, s.tempComplication6);
  showIfPresent(o.purchasedFromTextField, s.tempPurchasedFrom);
  showIfPresent(o.setCompletenessTextField, s.tempSetCompleteness);
  showIfPresent(o.soldToTextField, s.tempSoldTo);
  // The front end shows the notes from their beginning.
  showIfPresent(o.notesTextView, s.tempNotes);

  if (s.tempStatus) {
    if (const WatchStatus* status = findWatchStatus(*s.tempStatus)) showStatus(*status);
  }

  if (s.tempPurchaseDate) o.purchasedDateTextField = formatters.shortDate(*s.tempPurchaseDate);
  if (s.tempWarrantyEndDate) o.warrantyEndsTextField = formatters.shortDate(*s.tempWarrantyEndDate);
  if (s.tempSoldDate) o.soldDateTextField = formatters.shortDate(*s.tempSoldDate);

  if (s.tempPurchasePrice && *s.tempPurchasePrice != 0) {
    o.priceTextField = amountText(*s.tempPurchasePrice, formatters);
  }
  if (s.tempSoldPrice && *s.tempSoldPrice != 0) {
    o.soldPriceTextField = amountText(*s.tempSoldPrice, formatters);
  }

  if (s.tempTimesWorn && *s.tempTimesWorn != 0) {
    const double count = *s.tempTimesWorn;
    o.timesWornLabel = wholeNumberText(count);
    o.keeperRateLabel = wearRateText(count, totalWearCount(services_.context()));
    o.costPerWearLabel = costPerWearText(s.tempPurchasePrice, count, formatters);
  }
  if (s.tempDateLastWorn) {
    o.dateLastWornLabel = formatters.shortDate(*s.tempDateLastWorn);
    const int days = formatters.calendar().daysBetween(*s.tempDateLastWorn, services_.clock.now());
    o.daysAgoLabel = std::to_string(std::abs(days));
  }
}

std::vector<std::pair<std::string_view, const std::string*>>
TarkasteleKelloaTableViewController::textOutlets() const {
  const WatchDetailOutputs& o = outputs_;
  return {
      {"basicWatchDetailsLabel", &o.basicWatchDetailsLabel},
      {"movementDetailsLabel", &o.movementDetailsLabel},
      {"statusTextField", &o.statusTextField},
      {"statusButtonOutlet", &o.statusButtonOutlet},
      {"serialNumberTextField", &o.serialNumberTextField},
      {"referenceTextField", &o.referenceTextField},
      {"halkaisijaTextField", &o.halkaisijaTextField},
      {"paksuusTextField", &o.paksuusTextField},
      {"kuoriTextField", &o.kuoriTextField},
      {"taulunVariTextField", &o.taulunVariTextField},
      {"lasiTextField", &o.lasiTextField},
      {"bezelTextField", &o.bezelTextField},
      {"lugValiTextField", &o.lugValiTextField},
      {"lugToLugTextField", &o.lugToLugTextField},
      {"kruunuTextField", &o.kruunuTextField},
      {"vedenPitavyysTextField", &o.vedenPitavyysTextField},
      {"complication1TextField", &o.complication1TextField},
      {"complication2TextField", &o.complication2TextField},
      {"complication3TextField", &o.complication3TextField},
      {"complication4TextField", &o.complication4TextField},
      {"complication5Textfield", &o.complication5Textfield},
      {"complication6TextField", &o.complication6TextField},
      {"purchasedFromTextField", &o.purchasedFromTextField},
      {"purchasedDateTextField", &o.purchasedDateTextField},
      {"priceTextField", &o.priceTextField},
      {"warrantyEndsTextField", &o.warrantyEndsTextField},
      {"setCompletenessTextField", &o.setCompletenessTextField},
      {"soldDateTextField", &o.soldDateTextField},
      {"soldPriceTextField", &o.soldPriceTextField},
      {"soldToTextField", &o.soldToTextField},
      {"notesTextView", &o.notesTextView},
      {"timesWornLabel", &o.timesWornLabel},
      {"dateLastWornLabel", &o.dateLastWornLabel},
      {"daysAgoLabel", &o.daysAgoLabel},
      {"keeperRateLabel", &o.keeperRateLabel},
      {"costPerWearLabel", &o.costPerWearLabel},
  };
}

std::string_view TarkasteleKelloaTableViewController::pictureText() const {
  if (kelloIsFaceUp_ == 3) return kDiagramPictureText;
  if (!outputs_.kelloImageView.isStored()) return kNoPictureText;
  return kelloIsFaceUp_ == 1 ? kFrontPictureText : kBackPictureText;
}

void TarkasteleKelloaTableViewController::drawPicture() {
  switch (kelloIsFaceUp_) {
    case 1:
    case 2: {
      outputs_.tekstiView.reset();
      const bool front = kelloIsFaceUp_ == 1;
      const auto& picture = front ? snapshot_.tempKelloKuva : snapshot_.tempKelloKuvaBack;
      // Without its own picture a face shows the placeholder, never the face shown before it.
      outputs_.kelloImageView = picture ? watchPicture(kelloID_, front, kNoPictureImage)
                                        : PictureHandle::asset(kNoPictureImage);
      break;
    }
    case 3:
      outputs_.kelloImageView = PictureHandle::asset(kDiagramImage);
      outputs_.tekstiView = diagram();
      break;
    default:
      break;
  }
}

DiagramOverlay TarkasteleKelloaTableViewController::diagram() const {
  const WatchSnapshot& s = snapshot_;
  DiagramOverlay overlay;
  overlay.frame = {screenCentreX_ - 200, -1, 500, 500};
  // Placed for the diagram picture: measures beside their arrows, materials in the middle; in
  // the order of their captions.
  const std::pair<std::string, Frame> placed[] = {
      {measureText(s.tempHalkaisija), {150, 240, 200, 20}},
      {measureText(s.tempLugWidth), {150, 40, 200, 20}},
      {measureText(s.tempLugToLugWidth), {380, 240, 110, 20}},
      {measureText(s.tempPaksuus), {10, 240, 110, 20}},
      {diagramText(s.tempGlass), {150, 200, 200, 20}},
      {diagramText(s.tempKuorenMateriaali), {150, 290, 200, 20}},
      {diagramText(s.tempBezelMaterial), {150, 160, 200, 20}},
      {diagramText(s.tempCrownType), {380, 200, 110, 20}},
  };
  static_assert(std::size(placed) == kDiagramCaptions.size());
  for (std::size_t i = 0; i < kDiagramCaptions.size(); ++i) {
    overlay.texts.push_back({kDiagramCaptions[i].outlet, placed[i].first, placed[i].second});
  }
  return overlay;
}

void TarkasteleKelloaTableViewController::flipWatchPhoto() {
  if (kelloIsFaceUp_ < 1 || kelloIsFaceUp_ > 3) return;
  kelloIsFaceUp_ = kelloIsFaceUp_ % 3 + 1;
  load();
}

void TarkasteleKelloaTableViewController::showStatus(const WatchStatus& status) {
  outputs_.statusTextField = std::string(status.name);
  outputs_.statusButtonOutlet = std::string(status.bigIcon);
}

void TarkasteleKelloaTableViewController::changeWatchStatus() { textFieldDidBeginEditing(); }

void TarkasteleKelloaTableViewController::textFieldDidBeginEditing() {
  statusPickerShown_ = true;
  selectedStatusRow_ = 0;
  showStatus(kWatchStatuses[0]);
}

void TarkasteleKelloaTableViewController::pickerViewDidSelectRow(int row) {
  if (row < 0 || row >= static_cast<int>(kWatchStatuses.size())) return;
  selectedStatusRow_ = row;
  showStatus(kWatchStatuses[static_cast<std::size_t>(row)]);
}

void TarkasteleKelloaTableViewController::doneStatusPicker() {
  statusPickerShown_ = false;
  const std::string chosen = outputs_.statusTextField;
  const HistoryLog log(services_.defaults, services_.formatters, services_.clock);
  const std::shared_ptr<Kello> w = writeWatch([&](Kello& watch) {
    watch.setVarasarake2(storedStatus(chosen));
    appendHistoryEntries(watch, log.statusChanged(chosen));
  });
  if (w) {
    // A later refresh must not bring back the status shown before.
    takeWritten(*w);
  } else if (isStoreBusy(saveStatus_)) {
    const WatchStatus* stored =
        snapshot_.tempStatus ? findWatchStatus(*snapshot_.tempStatus) : nullptr;
    showStatus(stored ? *stored : kWatchStatuses[0]);
  }
}

std::shared_ptr<Kello> TarkasteleKelloaTableViewController::writeWatch(
    const std::function<void(Kello&)>& change) {
  std::shared_ptr<Kello> written;
  saveStatus_ = services_.context().performWrite({kelloID_}, [&] {
    written = watch();
    if (written) change(*written);
  });
  presentIfStoreBusy(saveStatus_, services_.presenter);
  return written;
}

void TarkasteleKelloaTableViewController::takeWritten(const Kello& w) {
  WatchSnapshot& s = snapshot_;
  s.tempTimesWorn = optionalNumber(w, "varasarake4");
  s.tempDateLastWorn = w.varasarake5();
  s.tempStatus = w.varasarake2();
  s.tempNotes = w.varasarake3();
  showIfPresent(outputs_.notesTextView, s.tempNotes);
}

void TarkasteleKelloaTableViewController::increaseTimesWornCounter() {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "Please confirm having worn this Watch today";
  sheet.message = "This will increment Wrist-Statistics counters and cannot be undone.";
  sheet.actions.push_back(
      {"confirmWear", "Confirm", ActionStyle::Default, [this] { (void)confirmWear(); }});
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

std::optional<WearBadge> TarkasteleKelloaTableViewController::confirmWear() {
  const Formatters& formatters = services_.formatters;
  const Date now = services_.clock.now();
  const std::string today = formatters.shortDate(now);
  const HistoryLog log(services_.defaults, services_.formatters, services_.clock);
  std::optional<WearBadge> badge;
  const std::shared_ptr<Kello> w = writeWatch([&](Kello& watch) {
    // A watch never worn may have no count at all; it earns the first badge like a count of 0.
    const double prior = watch.varasarake4();
    badge = badgeForPriorCount(prior);
    const double count = prior + 1;
    const std::string entries = log.wear(count, WearRoute::DetailScreen);
    appendHistoryEntries(watch, entries);
    if (!entries.empty() && count > 1 &&
        services_.defaults.flag(kLogEachWearSettingOn).value_or(false)) {
      diagnostic("Laukesi jokaisen lokitus");
    }
    watch.setVarasarake4(count);
    // The day of the wear, as the label shows it: the start of today.
    if (!today.empty()) watch.setVarasarake5(formatters.parseShortDate(today));
  });
  if (!w) return std::nullopt;
  if (badge) services_.presenter.present(badgeSheet(*badge, screenCentreX_));
  // In the snapshot, so that a later refresh (a flip, a status change) shows this wear.
  takeWritten(*w);
  load();
  outputs_.daysAgoLabel = "0";
  outputs_.dateLastWornLabel = today;
  return badge;
}

void TarkasteleKelloaTableViewController::wearStatsReset() {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title =
      "Please confirm that you wish to reset wrist statistics for this watch or adjust the wear "
      "count value.";
  sheet.message = "(Resetting will reset all statistics for the watch and cannot be undone).";
  sheet.actions.push_back({"resetWristStats", "Confirm wrist-stats reset", ActionStyle::Destructive,
                           [this] { resetWristStats(); }});
  sheet.actions.push_back({"adjustWearCount", "Adjust wear count", ActionStyle::Destructive,
                           [this] { adjustWearCount(); }});
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

void TarkasteleKelloaTableViewController::resetWristStats() {
  const HistoryLog log(services_.defaults, services_.formatters, services_.clock);
  const std::shared_ptr<Kello> w = writeWatch([&](Kello& watch) {
    const double old = watch.varasarake4();
    watch.setVarasarake4(0);
    watch.setVarasarake5(std::nullopt);
    appendHistoryEntries(watch, log.reset(old));
  });
  if (!w) return;
  outputs_.timesWornLabel = "0";
  outputs_.dateLastWornLabel = std::string(kNoFigure);
  outputs_.keeperRateLabel = std::string(kNoFigure);
  outputs_.daysAgoLabel = std::string(kNoFigure);
  takeWritten(*w);
  ++scrollToTopRequests_;
}

void TarkasteleKelloaTableViewController::adjustWearCount() {
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = "Adjust wear count";
  sheet.message = "This will adjust the wear count to the number specified here.";
  SheetTextField field;
  field.keyboard = KeyboardKind::Number;
  std::shared_ptr<std::string> typed = field.text;
  sheet.textFields.push_back(std::move(field));
  sheet.actions.push_back({"submitNewWearCount", "Submit new wear count", ActionStyle::Default,
                           [this, typed] { submitNewWearCount(*typed); }});
  sheet.actions.push_back(cancelAction());
  services_.presenter.present(std::move(sheet));
}

std::optional<double> TarkasteleKelloaTableViewController::typedWearCount(std::string_view typed) {
  const auto first = typed.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  typed = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
  double value = 0;
  int significant = 0;
  for (char c : typed) {
    if (c < '0' || c > '9') return std::nullopt;
    if (significant > 0 || c != '0') ++significant;
    value = value * 10 + (c - '0');
  }
  // Beyond any real count, and beyond what the label's integer can hold.
  if (significant > 9) return std::nullopt;
  return value;
}

bool TarkasteleKelloaTableViewController::submitNewWearCount(std::string_view typed) {
  const std::optional<double> count = typedWearCount(typed);
  if (!count) {
    Sheet refused;
    refused.style = SheetStyle::Alert;
    refused.title = "Wear count not changed";
    refused.message = std::string(kWearCountRefused);
    refused.actions.push_back(okAction(ActionStyle::Cancel));
    services_.presenter.present(std::move(refused));
    return false;
  }
  const std::string text = wholeNumberText(*count);
  const HistoryLog log(services_.defaults, services_.formatters, services_.clock);
  const std::shared_ptr<Kello> w = writeWatch([&](Kello& watch) {
    const double old = watch.varasarake4();
    watch.setVarasarake4(*count);
    appendHistoryEntries(watch, log.adjusted(text, old));
  });
  if (isStoreBusy(saveStatus_)) return false;
  if (w) {
    outputs_.timesWornLabel = text;
    takeWritten(*w);
  }
  services_.presenter.pop(1);
  return true;
}

Result<Bytes> TarkasteleKelloaTableViewController::shownPicture(std::string_view needs) const {
  const std::string what(needs);
  if (kelloIsFaceUp_ == 3) {
    return Status::error(what + " needs a picture of the watch, and the screen shows the " +
                         std::string(kDiagramPictureText));
  }
  const bool front = kelloIsFaceUp_ == 1;
  const auto& picture = front ? snapshot_.tempKelloKuva : snapshot_.tempKelloKuvaBack;
  if (!picture) {
    return Status::error(what + " needs the " +
                         std::string(front ? kFrontPictureText : kBackPictureText) +
                         ", and the watch has none");
  }
  return *picture;
}

void TarkasteleKelloaTableViewController::share(std::vector<ShareItem> items) {
  services_.presenter.share(
      {std::move(items), {kExcludedShareActivities.begin(), kExcludedShareActivities.end()}});
}

Result<std::filesystem::path> TarkasteleKelloaTableViewController::report(ReportLayout layout) {
  constexpr std::string_view kNeeds = "The report";
  const ImageCodec codec;
  Result<Bytes> shown = shownPicture(kNeeds);
  if (!shown) return shown.status();
  // The shown picture goes in small, as JPEG of the lowest quality.
  Result<Image> decoded = codec.decode(*shown);
  if (!decoded) return decoded.status();
  Result<Bytes> front = codec.encodeJpeg(*decoded, 0.1);
  if (!front) return front.status();
  Bytes back;
  if (needsBackPicture(layout)) {
    if (!snapshot_.tempKelloKuvaBack) {
      return Status::error(std::string(kNeeds) + " needs the " + std::string(kBackPictureText) +
                           ", and the watch has none");
    }
    back = *snapshot_.tempKelloKuvaBack;
    if (Result<Image> usable = codec.decode(back); !usable) return usable.status();
  }
  const Drawing page =
      watchReportPage(layout, snapshot_, *front, back, services_.formatters, services_.clock.now());
  const std::filesystem::path folder = documentsFolder_.value_or(documentsFolder());
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = folder / reportFileName(snapshot_);
  Status written =
      error ? Status::error("cannot create the folder " + folder.string() + ": " + error.message())
            : writePdf({page}, reportTitle(snapshot_), file);
  if (!written) {
    diagnostic("Could not create PDF file: " + written.description());
    return written;
  }
  share({ShareItem::file(file)});
  return file;
}

Status TarkasteleKelloaTableViewController::shareWatchInfo() {
  Result<Bytes> shown = shownPicture("Sharing");
  if (!shown) return shown.status();
  Bytes png = std::move(shown).value();
  if (imageFormatOf(png) != ImageFormat::Png) {
    const ImageCodec codec;
    Result<Image> decoded = codec.decode(png);
    if (!decoded) return decoded.status();
    Result<Bytes> encoded = codec.encodePng(*decoded);
    if (!encoded) return encoded.status();
    png = std::move(encoded).value();
  }
  share(quickShareItems(snapshot_, outputs_, std::move(png)));
  return Status::ok();
}

void TarkasteleKelloaTableViewController::editSelectedWatch() {
  services_.presenter.push(ScreenRequest{std::string(kWatchEditorScreen), kelloID_.text(), {}});
}

std::optional<WatchEditRequest> TarkasteleKelloaTableViewController::editHandOver() const {
  const std::shared_ptr<Kello> w = watch();
  if (!w) return std::nullopt;
  return editRequestFor(*w);
}

}  // namespace tockary
