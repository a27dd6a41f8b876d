#include "service/tarkastele_huoltoa_table_view_controller.h"

#include "detail/detail_presentation.h"
#include "service/service_form.h"
#include "store/records.h"

namespace tockary {

namespace {

std::string shownText(const std::optional<std::string>& text) {
  return text && !text->empty() ? *text : std::string(kNoFigure);
}

std::string shownDate(const std::optional<Date>& date, const Formatters& formatters) {
  return date ? formatters.shortDate(*date) : std::string(kNoFigure);
}

}  // namespace

TarkasteleHuoltoaTableViewController::TarkasteleHuoltoaTableViewController(AppServices& services,
                                                                           ObjectID huoltoID)
    : services_(services), huoltoID_(std::move(huoltoID)) {}

void TarkasteleHuoltoaTableViewController::viewDidLoad() {
  const auto service = services_.context().existingObject<Huolto>(huoltoID_);
  found_ = service != nullptr;
  if (service) {
    tempHuoltoLiike = service->huoltoliike();
    tempHuollettavaKello = service->huollonkello();
    tempHuoltoPvm = service->huoltopvm();
    tempHuollostapaluuPvm = service->huollostapaluupvm();
    tempHuoltoTakuuPvm = service->huoltotakuupvm();
    tempHuoltoSyy = service->huoltosyy();
    tempHuoltoKuvaus = service->huoltokuvaus();
    tempHuoltoHinta = service->huoltohinta();
  }
  const auto& formatters = services_.formatters;
  outputs_.huoltoLiikeTextField = shownText(tempHuoltoLiike);
  outputs_.huollettavaKelloTextField = shownText(tempHuollettavaKello);
  outputs_.huoltoPVMTextField = shownDate(tempHuoltoPvm, formatters);
  outputs_.huollostaPaluuPVMTextField = shownDate(tempHuollostapaluuPvm, formatters);
  outputs_.huoltoTakuuPaattyTextfield = shownDate(tempHuoltoTakuuPvm, formatters);
  outputs_.huollonSyyTextField = shownText(tempHuoltoSyy);
  outputs_.huollonKuvausTextView = tempHuoltoKuvaus.value_or("");
  outputs_.huollonKuvausCursor = 0;
  const double cost = tempHuoltoHinta.value_or(0);
  outputs_.huoltoHinta = cost == 0 ? std::string(kNoFigure) : amountText(cost, formatters);
}

std::vector<std::pair<std::string_view, const std::string*>>
TarkasteleHuoltoaTableViewController::captionedOutputs() const {
  const std::pair<std::string_view, const std::string*> shown[] = {
      {"service-centre", &outputs_.huoltoLiikeTextField},
      {"watch", &outputs_.huollettavaKelloTextField},
      {"start-date", &outputs_.huoltoPVMTextField},
      {"return-date", &outputs_.huollostaPaluuPVMTextField},
      {"warranty-end-date", &outputs_.huoltoTakuuPaattyTextfield},
      {"reason", &outputs_.huollonSyyTextField},
      {"cost", &outputs_.huoltoHinta},
      {"description", &outputs_.huollonKuvausTextView}};
  std::vector<std::pair<std::string_view, const std::string*>> outlets;
  for (const auto& [option, text] : shown)
    outlets.emplace_back(findField(serviceFormFields(), option)->caption, text);
  return outlets;
}

void TarkasteleHuoltoaTableViewController::editSelectedService() {
  services_.presenter.push(ScreenRequest{std::string(kServiceEditorScreen),
                                         huoltoID_.text(),
                                         {{"tempEditTitleMuutos", std::string(kEditTitle)}}});
}

}  // namespace tockary
