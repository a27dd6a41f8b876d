#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tockary {

// One value of a watch's status (`varasarake2`) with the large icon the detail screen shows.
struct WatchStatus {
  std::string_view name;
  std::string_view bigIcon;
};

// What the picker shows for a watch without a status, and what is stored for it instead. The
// marker matches no status, so a screen that shows it keeps its previous status display.
inline constexpr std::string_view kNotSetStatus = "Not Set";
inline constexpr std::string_view kNotSetMarker = "_Not Set_";

// The nineteen statuses in picker order.
inline constexpr std::array<WatchStatus, 19> kWatchStatuses = {{
    {kNotSetStatus, "StatusNotSetBig"},
    {"Broken", "StatusBrokenBig"},
    {"For Sale", "StatusForSaleBig"},
    {"Grail", "StatusGrailBig"},
    {"Incoming", "StatusIncomingBig"},
    {"In Safe", "StatusInSafeBig"},
    {"In Service", "InServiceBig"},
    {"In Watchbox", "StatusInWatchboxBig"},
    {"Keeper", "StatusKeeperBig"},
    {"My Next Watch", "StatusMyNextWatchBig"},
    {"Needs Battery", "StatusNeedsBatteryBig"},
    {"Needs a New Strap", "StatusNeedStrapBig"},
    {"Needs Service", "StatusNeedsServiceBig"},
    {"On Loan", "StatusOnLoanBig"},
    {"On Winder", "StatusOnWinderBig"},
    {"Restoration Project", "StatusRestorationProjectBig"},
    {"Short List", "StatusShortListBig"},
    {"Serviced", "StatusServicedBig"},
    {"Willing To Flip", "StatusWillingToFlipBig"},
}};

// The status named exactly `text` (case and blanks count), or nullptr.
const WatchStatus* findWatchStatus(std::string_view text);

// What is stored for a status chosen in the picker: the marker for "Not Set", else the name.
std::string storedStatus(std::string_view chosen);

// The accepted names joined by ", ", for messages that list them.
std::string watchStatusNames();

}  // namespace tockary
