#include "service/my_warranties_table_view_controller.h"

#include "service/warranty_form.h"

namespace tockary {

MyWarrantiesTableViewController::MyWarrantiesTableViewController(AppServices& services)
    : RecordListTableViewController(
          services, RecordListDescription{std::string(Takuu::entityName()), "takuunKello",
                                          "warrantyCell", std::string(kWarrantyDetailScreen)}) {}

std::shared_ptr<Takuu> MyWarrantiesTableViewController::warrantyAt(IndexPath indexPath) const {
  return std::dynamic_pointer_cast<Takuu>(objectAt(indexPath));
}

std::optional<MyWarrantiesTableViewCell> MyWarrantiesTableViewController::cellForRowAt(
    IndexPath indexPath) const {
  const auto card = warrantyAt(indexPath);
  if (!card) return std::nullopt;
  return MyWarrantiesTableViewCell{card->takuunKello().value_or(""), card->objectID()};
}

std::vector<MyWarrantiesTableViewCell> MyWarrantiesTableViewController::allRows() const {
  std::vector<MyWarrantiesTableViewCell> rows;
  for (const IndexPath& path : allIndexPaths()) {
    if (auto cell = cellForRowAt(path)) rows.push_back(std::move(*cell));
  }
  return rows;
}

void MyWarrantiesTableViewController::insertNewWarranty() {
  services_.presenter.push(ScreenRequest{std::string(kWarrantyEditorScreen), {}, {}});
}

}  // namespace tockary
