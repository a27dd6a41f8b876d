#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/fetched_results_table_view_controller.h"
#include "store/records.h"

namespace tockary {

// One row of the warranty list ("warrantyCell"): the card's watch label, no subtitle.
struct MyWarrantiesTableViewCell {
  std::string textLabel;
  ObjectID takuuID;
};

// The list of every warranty card, by watch label.
class MyWarrantiesTableViewController : public RecordListTableViewController {
 public:
  // `services` must outlive the screen. Opens the store.
  explicit MyWarrantiesTableViewController(AppServices& services);

  std::shared_ptr<Takuu> warrantyAt(IndexPath indexPath) const;
  // The row at a path; nullopt outside the list.
  std::optional<MyWarrantiesTableViewCell> cellForRowAt(IndexPath indexPath) const;
  // Every row in list order.
  std::vector<MyWarrantiesTableViewCell> allRows() const;

  // Opens the editor for a new card (nothing handed over).
  void insertNewWarranty();
};

}  // namespace tockary
