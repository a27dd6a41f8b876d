#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/format/formatters.h"
#include "records/fetched_results_table_view_controller.h"
#include "store/records.h"

namespace tockary {

// One row of the service list ("huoltoCell").
struct MyServicesTableViewCell {
  std::string textLabel;
  std::string detailTextLabel;
  ObjectID huoltoID;
};

// The row title: watch label and service centre, whichever of them are there.
std::string serviceRowTitle(const Huolto& service);
// The row subtitle from the start, return and warranty dates; empty without a start date.
std::string serviceRowSubtitle(const Huolto& service, const Formatters& formatters);

// The list of every service record, by watch label.
class MyServicesTableViewController : public RecordListTableViewController {
 public:
  // `services` must outlive the screen. Opens the store.
  explicit MyServicesTableViewController(AppServices& services);

  std::shared_ptr<Huolto> serviceAt(IndexPath indexPath) const;
  // The row at a path; nullopt outside the list.
  std::optional<MyServicesTableViewCell> cellForRowAt(IndexPath indexPath) const;
  // Every row in list order.
  std::vector<MyServicesTableViewCell> allRows() const;

  // Opens the editor for a new record (nothing handed over).
  void insertNewService();
};

}  // namespace tockary
