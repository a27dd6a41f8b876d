#include "forms/watch_label_picker.h"

#include <algorithm>

#include "forms/field_input.h"
#include "store/collection_model.h"
#include "store/records.h"

namespace tockary {

void WatchLabelPicker::load(ManagedObjectContext& context, const FetchRequest& request) {
  labels_.clear();
  watches_.clear();
  open_ = false;
  if (auto watches = context.fetch<Kello>(request)) {
    for (const auto& watch : *watches) {
      labels_.push_back(watchLabel(*watch));
      watches_.push_back(watch->objectID());
    }
  }
}

std::string WatchLabelPicker::open(std::string_view shown) {
  const auto found = std::ranges::find(labels_, shown);
  if (found != labels_.end()) {
    row_ = static_cast<int>(found - labels_.begin());
    component_ = shown;
  } else {
    row_ = 0;
    component_ = labels_.empty() ? std::string(kEmptyCollectionPlaceholder) : labels_.front();
  }
  open_ = true;
  return component_;
}

std::optional<std::string> WatchLabelPicker::select(int row, int component) {
  if (!open_ || component != 0 || row < 0 || row >= static_cast<int>(labels_.size())) {
    return std::nullopt;
  }
  row_ = row;
  return labels_[static_cast<std::size_t>(row)];
}

Result<std::string> WatchLabelPicker::labelFor(std::string_view value) const {
  if (std::ranges::find(labels_, value) != labels_.end()) return std::string(value);
  if (const auto id = ObjectID::fromText(value)) {
    const auto watch = std::ranges::find(watches_, *id);
    if (watch != watches_.end()) return labels_[static_cast<std::size_t>(watch - watches_.begin())];
  }
  return fieldRefusal(value, acceptedValues());
}

std::string WatchLabelPicker::acceptedValues() const {
  std::string labels;
  for (const auto& label : labels_) {
    labels += labels.empty() ? "" : ", ";
    labels += "\"" + label + "\"";
  }
  return (labels.empty() ? std::string("no watch labels (the collection is empty)")
                         : "a watch label the picker offers (" + labels + ")") +
         ", the id of one of these watches such as Kello/1, or \"\" for none";
}

}  // namespace tockary
