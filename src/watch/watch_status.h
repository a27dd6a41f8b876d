#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tockary {

// One value of a watch's status (`varasarake2`) with its icons: the large one of the detail
// screen and the small one of the collection rows.
struct WatchStatus {
  std::string_view name;
  std::string_view bigIcon;
  std::string_view rowIcon;
};

// What the picker shows for a watch without a status, and what is stored for it instead. The
// marker matches no status, so a screen that shows it keeps its previous status display.
inline constexpr std::string_view kNotSetStatus = "Not Set";
inline constexpr std::string_view kNotSetMarker = "_Not Set_";

// Statuses with a rule of their own: a watch on its winder turns in its row, and a watch that
// needs a strap names the strap's width.
inline constexpr std::string_view kOnWinderStatus = "On Winder";
inline constexpr std::string_view kNeedStrapStatus = "Needs a New Strap";

// The nineteen statuses in picker order.
inline constexpr std::array<WatchStatus, 19> kWatchStatuses = {{
    {kNotSetStatus, "StatusNotSetBig", "NotSetGrey"},
    {"Broken", "StatusBrokenBig", "StatusBroken"},
    {"For Sale", "StatusForSaleBig", "StatusForSale"},
    {"Grail", "StatusGrailBig", "StatusGrail"},
    {"Incoming", "StatusIncomingBig", "StatusIncoming"},
    {"In Safe", "StatusInSafeBig", "StatusInSafe"},
    {"In Service", "InServiceBig", "InService"},
    {"In Watchbox", "StatusInWatchboxBig", "StatusInWatchbox"},
    {"Keeper", "StatusKeeperBig", "StatusKeeper"},
    {"My Next Watch", "StatusMyNextWatchBig", "StatusMyNextWatch"},
    {"Needs Battery", "StatusNeedsBatteryBig", "StatusNeedsBattery"},
    {kNeedStrapStatus, "StatusNeedStrapBig", "StatusNeedStrap"},
    {"Needs Service", "StatusNeedsServiceBig", "StatusNeedsService"},
    {"On Loan", "StatusOnLoanBig", "StatusOnLoan"},
    {kOnWinderStatus, "StatusOnWinderBig", "StatusOnWinder"},
    {"Restoration Project", "StatusRestorationProjectBig", "StatusRestorationProject"},
    {"Short List", "StatusShortListBig", "StatusShortList"},
    {"Serviced", "StatusServicedBig", "StatusServiced"},
    {"Willing To Flip", "StatusWillingToFlipBig", "StatusWillingToFlip"},
}};

// The status named exactly `text` (case and blanks count), or nullptr.
const WatchStatus* findWatchStatus(std::string_view text);

// What is stored for a status chosen in the picker: the marker for "Not Set", else the name.
std::string storedStatus(std::string_view chosen);

// The accepted names joined by ", ", for messages that list them.
std::string watchStatusNames();

}  // namespace tockary
