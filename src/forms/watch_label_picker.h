#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form_field.h"
#include "platform/status.h"
#include "platform/store/object_store.h"

namespace tockary {

// The wheel of watch labels from which the service, warranty and measurement forms name their
// watch: one label per watch the form's request fetches, in store order. A record names its watch
// only by this label; nothing links it to the watch.
class WatchLabelPicker {
 public:
  // What the wheel proposes when there is no watch to choose; saved as it stands.
  static constexpr std::string_view kEmptyCollectionPlaceholder =
      "Placeholder(Watch collection is empty)";

  // Reads the labels of the watches `request` fetches; a failed fetch offers none.
  void load(ManagedObjectContext& context, const FetchRequest& request);
  const std::vector<std::string>& labels() const { return labels_; }

  // Opens the wheel for a field showing `shown`: on that label when the wheel offers it (a look
  // at the field does not change the record), else on the first label, or the placeholder of an
  // empty collection. Returns what the field shows then.
  std::string open(std::string_view shown);
  void close() { open_ = false; }
  bool isOpen() const { return open_; }
  // The label the wheel last proposed.
  const std::string& component() const { return component_; }
  // The wheel's one column, on its current row.
  WheelColumn column() const { return WheelColumn{labels_, 0, row_}; }
  // Turns the open wheel to `row` of column `component`; the label it shows then, or nullopt for
  // a row or column it does not show (always when there is no watch).
  std::optional<std::string> select(int row, int component);

  // The label that a value given from outside stands for: a label the wheel offers, or the id of
  // one of its watches ("Kello/3"). Anything else is refused, naming what is accepted.
  Result<std::string> labelFor(std::string_view value) const;
  // What labelFor() and an empty value (no watch) accept, in words.
  std::string acceptedValues() const;

 private:
  std::vector<std::string> labels_;
  std::vector<ObjectID> watches_;  // beside their labels
  std::string component_;
  int row_ = 0;
  bool open_ = false;
};

}  // namespace tockary
