#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "detail/watch_report.h"
#include "platform/date.h"
#include "platform/status.h"
#include "platform/store/object_store.h"
#include "platform/ui/navigation_bar.h"
#include "platform/ui/picture_handle.h"
#include "platform/ui/sheet.h"
#include "store/app_services.h"
#include "store/watch_hand_over.h"
#include "watch/watch_status.h"
#include "watch/wear_counter.h"

namespace tockary {

// The screen's working copy of one watch, one field per attribute; absent where the attribute is
// null (or the watch could not be found).
struct WatchSnapshot {
  std::optional<std::string> tempMerkki, tempMalli, tempVuosi, tempRef, tempSerial,
      tempKoneistoTyyppi, tempKoneisto, tempPowerReserve, tempBph, tempHalkaisija,
      tempKuorenMateriaali, tempPaksuus, tempLugWidth, tempLugToLugWidth, tempBezelMaterial,
      tempGlass, tempWaterProof, tempDialColor, tempCrownType, tempSetCompleteness,
      tempComplication1, tempComplication2, tempComplication3, tempComplication4, tempComplication5,
      tempComplication6, tempPurchasedFrom, tempSoldTo, tempNotes, tempStatus;
  // Encoded picture bytes, shared with the picture output rather than copied.
  std::shared_ptr<const Bytes> tempKelloKuva, tempKelloKuvaBack;
  std::optional<Date> tempPurchaseDate, tempWarrantyEndDate, tempSoldDate, tempDateLastWorn;
  std::optional<double> tempPurchasePrice, tempSoldPrice, tempTimesWorn;
};

// Stock pictures of the picture view: a face without its own picture, and the third face.
inline constexpr std::string_view kNoPictureImage = "nopic.png";
inline constexpr std::string_view kDiagramImage = "Watch_Diagram.png";

// One text of the dimension diagram, centred in `frame` (overlay coordinates, 500 x 500).
struct DiagramText {
  std::string_view role;  // "diameter", "lugWidth", ... for front ends and tests
  std::string text;
  Frame frame;
};

// The transparent layer over the diagram picture that carries its texts.
struct DiagramOverlay {
  Frame frame;
  std::string fontName = "HelveticaNeue-Bold";
  double fontSize = 12;
  Rgba color{1, 1, 1, 1};
  Rgba shadowColor = kBlack;
  double shadowOffsetX = 1;
  double shadowOffsetY = 1;
  std::vector<DiagramText> texts;
};

// The outlets of the screen. Texts start as shown before any value is set; the wear-count label
// always holds a decimal integer.
struct WatchDetailOutputs {
  std::string basicWatchDetailsLabel, movementDetailsLabel;
  // The watch's own picture of the face shown, or a stock picture. The front end fits the view to
  // the picture's aspect ratio within its container's width.
  PictureHandle kelloImageView = PictureHandle::asset(kNoPictureImage);
  std::optional<DiagramOverlay> tekstiView;  // nullopt: hidden
  std::string statusTextField{kNotSetStatus};
  std::string statusButtonOutlet{kWatchStatuses[0].bigIcon};
  std::string serialNumberTextField, referenceTextField, halkaisijaTextField, paksuusTextField,
      kuoriTextField, taulunVariTextField, lasiTextField, bezelTextField, lugValiTextField,
      lugToLugTextField, kruunuTextField, vedenPitavyysTextField, complication1TextField,
      complication2TextField, complication3TextField, complication4TextField,
      complication5Textfield, complication6TextField, purchasedFromTextField,
      purchasedDateTextField, priceTextField, warrantyEndsTextField, setCompletenessTextField,
      soldDateTextField, soldPriceTextField, soldToTextField, notesTextView;
  std::string timesWornLabel{"0"};
  std::string dateLastWornLabel{"-----"}, daysAgoLabel{"-----"}, keeperRateLabel{"-----"},
      costPerWearLabel{"-----"};
};

// The detail screen of one watch: shows it, changes its status, logs and resets its wears and
// opens the editor. Every operation reads the watch and writes it inside the store's write lock,
// so what another program wrote meanwhile is kept, and then shows what was written. A failed save
// is only kept in saveStatus() (the screen keeps the new figures, the change stays pending in the
// context); a busy store changes nothing and shows the busy alert.
class TarkasteleKelloaTableViewController {
 public:
  // `services` must outlive the screen. Nothing is read until fetch().
  TarkasteleKelloaTableViewController(AppServices& services, ObjectID kelloID);

  // Copies the watch into the snapshot and sets the title to its brand. A watch that cannot be
  // found leaves the snapshot empty (found() is false).
  void fetch();
  // Redraws every outlet from the snapshot; writes nothing.
  void load();
  // The first showing: fetch() if not done yet, then load().
  void viewDidLoad();

  bool found() const { return found_; }
  const ObjectID& kelloID() const { return kelloID_; }
  const std::optional<std::string>& title() const { return title_; }
  const WatchSnapshot& snapshot() const { return snapshot_; }
  const WatchDetailOutputs& outputs() const { return outputs_; }
  // What the picture view shows, in words: "front picture", "back picture", "no picture" or
  // "dimension diagram".
  std::string_view pictureText() const;
  // Every text outlet with its name, in the order the screen shows them.
  std::vector<std::pair<std::string_view, const std::string*>> textOutlets() const;

  // The horizontal centre of the screen in points, where the overlay and badges are placed.
  void setScreenCentreX(double x) { screenCentreX_ = x; }

  // Status picker: the status button and the field both open it, always at "Not Set".
  std::span<const WatchStatus> statusPickerData() const { return kWatchStatuses; }
  static constexpr std::string_view kStatusToolbarTitle = "Choose Watch Status: ";
  void changeWatchStatus();
  void textFieldDidBeginEditing();
  bool isStatusPickerShown() const { return statusPickerShown_; }
  int selectedStatusRow() const { return selectedStatusRow_; }
  // Rows outside the list are ignored.
  void pickerViewDidSelectRow(int row);
  // Closes the picker and stores the shown status, with its history-log entry appended to the
  // stored notes. A busy store shows the stored status again.
  void doneStatusPicker();

  // Picture faces: 1 front, 2 back, 3 dimension diagram.
  static constexpr double kFlipDuration = 0.75;  // seconds, flip from the left
  int kelloIsFaceUp() const { return kelloIsFaceUp_; }
  void flipWatchPhoto();

  // Asks "Please confirm having worn this Watch today"; its action "confirmWear" runs
  // confirmWear().
  void increaseTimesWornCounter();
  // One wear on the stored count: a badge sheet when that count is a milestone, then the new
  // figures, the wear entries appended to the stored notes and the save. Returns the badge the
  // wear earned, if any (none when nothing could be written).
  std::optional<WearBadge> confirmWear();

  // Offers the reset and the adjustment of the wear count.
  void wearStatsReset();
  void resetWristStats();
  // The alert with the field for the new count; "Submit new wear count" submits what was typed.
  void adjustWearCount();
  // Sets the count to `typed` and closes the screen. A text that is not a whole number of 0 or
  // more is refused: a sheet says so, nothing changes, and false is returned. A busy store also
  // changes nothing and returns false, and the screen stays for another try.
  bool submitNewWearCount(std::string_view typed);
  // The count a typed text stands for, or nullopt when it must be refused.
  static std::optional<double> typedWearCount(std::string_view typed);
  static constexpr std::string_view kWearCountRefused =
      "The wear count must be a whole number of 0 or more, such as 60.";

  // Opens the editor for this watch; the front end takes editHandOver() for it.
  void editSelectedWatch();
  // nullopt when the watch is gone from the store.
  std::optional<WatchEditRequest> editHandOver() const;

  // The report in `layout`: drawn from the snapshot with the picture the screen shows (and the
  // back picture for two pictures), written as reportFileName() in the documents folder (an
  // earlier file of that name is replaced) and offered to the share sheet. Returns the file.
  // Without a picture the layout needs, or when a picture or the file cannot be made, returns
  // why, and nothing is written or shared.
  Result<std::filesystem::path> report(ReportLayout layout);
  Result<std::filesystem::path> PDF() { return report(ReportLayout::Regular); }
  Result<std::filesystem::path> PDF2() { return report(ReportLayout::RegularTwoPictures); }
  Result<std::filesystem::path> PDF_FOR_SALE() { return report(ReportLayout::ForSale); }
  Result<std::filesystem::path> PDF2_FOR_SALE() { return report(ReportLayout::ForSaleTwoPictures); }
  // The quick share (quickShareItems). Without a picture of the watch on the screen, or when it
  // cannot be made a PNG, returns why and shares nothing.
  Status shareWatchInfo();
  Status shareInfo() { return shareWatchInfo(); }
  // Where reports are written: the user's documents folder unless set.
  void setDocumentsFolder(std::filesystem::path folder) { documentsFolder_ = std::move(folder); }

  // How many times the screen asked its table to scroll back to the top (the reset does).
  int scrollToTopRequests() const { return scrollToTopRequests_; }

  // The outcome of the last write (ok before any): isStoreBusy() when nothing could be changed.
  const Status& saveStatus() const { return saveStatus_; }

 private:
  std::shared_ptr<Kello> watch() const;
  // Runs `change` on the watch as stored now, inside the write lock, and saves. Returns the
  // watch as written (with the change pending if the save failed); null when nothing ran.
  std::shared_ptr<Kello> writeWatch(const std::function<void(Kello&)>& change);
  // Takes what a write may have changed (and another program may have added) into the snapshot.
  void takeWritten(const Kello& watch);
  void drawPicture();
  DiagramOverlay diagram() const;
  void showStatus(const WatchStatus& status);
  // The picture of the watch the screen shows (front or back face), or why there is none to use;
  // `needs` says what is asking ("The report").
  Result<Bytes> shownPicture(std::string_view needs) const;
  void share(std::vector<ShareItem> items);

  AppServices& services_;
  ObjectID kelloID_;
  bool fetched_ = false;
  bool found_ = false;
  std::optional<std::string> title_;
  WatchSnapshot snapshot_;
  WatchDetailOutputs outputs_;
  int kelloIsFaceUp_ = 1;
  bool statusPickerShown_ = false;
  int selectedStatusRow_ = 0;
  double screenCentreX_ = 187.5;
  int scrollToTopRequests_ = 0;
  Status saveStatus_;
  std::optional<std::filesystem::path> documentsFolder_;
};

}  // namespace tockary
