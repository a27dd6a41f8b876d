#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/date.h"
#include "platform/store/object_store.h"
#include "store/app_services.h"

namespace tockary {

// What the detail screen shows, one field per outlet; "-----" stands for an absent value.
struct ServiceDetailOutputs {
  std::string huoltoLiikeTextField, huollettavaKelloTextField, huoltoPVMTextField,
      huollostaPaluuPVMTextField, huoltoTakuuPaattyTextfield, huollonSyyTextField, huoltoHinta;
  std::string huollonKuvausTextView;
  std::size_t huollonKuvausCursor = 0;  // the cursor stands at the start of the description
};

// The read-only detail of one service record.
class TarkasteleHuoltoaTableViewController {
 public:
  static constexpr std::string_view kEditTitle = "Edit Service";

  // `services` must outlive the screen. Nothing is read until viewDidLoad().
  TarkasteleHuoltoaTableViewController(AppServices& services, ObjectID huoltoID);

  // Copies the record into the display values and shows them. A record that cannot be found
  // shows every field as absent (found() is false).
  void viewDidLoad();

  bool found() const { return found_; }
  const ObjectID& huoltoID() const { return huoltoID_; }
  const ServiceDetailOutputs& outputs() const { return outputs_; }
  // Every outlet with its caption, in the order the form lists the fields.
  std::vector<std::pair<std::string_view, const std::string*>> captionedOutputs() const;

  // Opens the editor on this record with the title "Edit Service".
  void editSelectedService();

  // The display values as copied from the record.
  std::optional<std::string> tempHuoltoLiike, tempHuollettavaKello, tempHuoltoSyy, tempHuoltoKuvaus;
  std::optional<Date> tempHuoltoPvm, tempHuollostapaluuPvm, tempHuoltoTakuuPvm;
  std::optional<double> tempHuoltoHinta;

 private:
  AppServices& services_;
  ObjectID huoltoID_;
  bool found_ = false;
  ServiceDetailOutputs outputs_;
};

}  // namespace tockary
