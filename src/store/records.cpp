#include "store/records.h"

namespace tockary {

namespace {

template <typename T>
std::function<std::shared_ptr<ManagedObject>()> factory() {
  return [] { return std::make_shared<T>(); };
}

template <std::size_t N>
std::vector<AttributeDescription> attributesOf(const std::array<AttributeEntry, N>& entries) {
  std::vector<AttributeDescription> attributes;
  attributes.reserve(N);
  for (const AttributeEntry& entry : entries) {
    attributes.push_back({std::string(entry.name), entry.type});
  }
  return attributes;
}

}  // namespace

std::vector<EntityDescription> collectionEntities() {
  return {
      {"Kello",
       attributesOf(kKelloAttributes),
       {{"huollot", "Huolto", true, "huoltotoimi"},
        {"kellokuvat", "Kellokuvat", true, "kuvankello"},
        {"mittaukset", "Mittaustieto", true, "mittaustapahtuma"},
        {"takuunKello", "Takuu", false, "kellonTakuu"},
        {"varatiedot", "Varataulu", true, "varatieto"}},
       factory<Kello>()},
      {"Huolto",
       attributesOf(kHuoltoAttributes),
       {{"huoltotoimi", "Kello", false, "huollot"}},
       factory<Huolto>()},
      {"Takuu",
       attributesOf(kTakuuAttributes),
       {{"kellonTakuu", "Kello", false, "takuunKello"}},
       factory<Takuu>()},
      {"Mittaustieto",
       attributesOf(kMittaustietoAttributes),
       {{"mittaustapahtuma", "Kello", false, "mittaukset"}},
       factory<Mittaustieto>()},
      {"Kellokuvat",
       attributesOf(kKellokuvatAttributes),
       {{"kuvankello", "Kello", false, "kellokuvat"}},
       factory<Kellokuvat>()},
      {"Varataulu",
       attributesOf(kVaratauluAttributes),
       {{"varatieto", "Kello", false, "varatiedot"}},
       factory<Varataulu>()},
  };
}

}  // namespace tockary
