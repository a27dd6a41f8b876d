#include "platform/store/model.h"

namespace tockary {

int EntityDescription::attributeIndex(std::string_view attributeName) const {
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    if (attributes[i].name == attributeName) return static_cast<int>(i);
  }
  return -1;
}

const EntityDescription* ManagedObjectModel::entity(std::string_view entityName) const {
  for (const auto& e : entities) {
    if (e.name == entityName) return &e;
  }
  return nullptr;
}

}  // namespace tockary
