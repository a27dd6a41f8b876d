#include "service/my_services_table_view_controller.h"

#include "service/service_form.h"

namespace tockary {

std::string serviceRowTitle(const Huolto& service) {
  const std::string watch = service.huollonkello().value_or("");
  const std::string centre = service.huoltoliike().value_or("");
  if (!watch.empty() && !centre.empty()) return watch + " (" + centre + ")";
  if (!watch.empty()) return watch;
  return centre;
}

std::string serviceRowSubtitle(const Huolto& service, const Formatters& formatters) {
  const auto start = service.huoltopvm();
  if (!start) return {};
  const std::string startText = formatters.shortDate(*start);
  const auto back = service.huollostapaluupvm();
  if (!back) return startText + " ->";
  const std::string span = startText + " -> " + formatters.shortDate(*back);
  const auto warranty = service.huoltotakuupvm();
  if (!warranty) return span;
  return "(" + span + ")  Warranty until: " + formatters.shortDate(*warranty);
}

MyServicesTableViewController::MyServicesTableViewController(AppServices& services)
    : RecordListTableViewController(
          services, RecordListDescription{std::string(Huolto::entityName()), "huollonkello",
                                          "huoltoCell", std::string(kServiceDetailScreen)}) {}

std::shared_ptr<Huolto> MyServicesTableViewController::serviceAt(IndexPath indexPath) const {
  return std::dynamic_pointer_cast<Huolto>(objectAt(indexPath));
}

std::optional<MyServicesTableViewCell> MyServicesTableViewController::cellForRowAt(
    IndexPath indexPath) const {
  const auto service = serviceAt(indexPath);
  if (!service) return std::nullopt;
  return MyServicesTableViewCell{serviceRowTitle(*service),
                                 serviceRowSubtitle(*service, services_.formatters),
                                 service->objectID()};
}

std::vector<MyServicesTableViewCell> MyServicesTableViewController::allRows() const {
  std::vector<MyServicesTableViewCell> rows;
  for (int section = 0; section < numberOfSections(); ++section) {
    for (int row = 0; row < numberOfRowsInSection(section); ++row) {
      if (auto cell = cellForRowAt({section, row})) rows.push_back(std::move(*cell));
    }
  }
  return rows;
}

void MyServicesTableViewController::insertNewService() {
  services_.presenter.push(ScreenRequest{std::string(kServiceEditorScreen), {}, {}});
}

}  // namespace tockary
