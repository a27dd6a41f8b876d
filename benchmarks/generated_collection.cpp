#include "generated_collection.h"

#include <array>
#include <chrono>
#include <random>
#include <string>
#include <string_view>

#include "platform/ui/diagnostics.h"
#include "store/app_delegate.h"
#include "store/records.h"

namespace tockary::bench {

void generateCollection(const std::filesystem::path& dataDirectory, std::size_t count,
                        std::size_t pictureBytes) {
  static constexpr std::array<std::string_view, 8> kBrands = {
      "Omega", "Seiko", "Tudor", "Rolex", "Longines", "Sinn", "Oris", "Casio"};
  static constexpr std::array<std::string_view, 5> kStatuses = {"Keeper", "On Winder", "In Safe",
                                                                "_Not Set_", "For Sale"};
  std::mt19937 random(42);
  AppDelegate app(dataDirectory);
  ManagedObjectContext& context = app.viewContext();
  const Date base = Date(std::chrono::seconds(1'700'000'000));
  for (std::size_t i = 0; i < count; ++i) {
    auto watch = context.insertNewObject<Kello>();
    watch->setMerkki(std::string(kBrands[random() % kBrands.size()]));
    watch->setMalli("Model " + std::to_string(random() % 500));
    watch->setVuosimalli(std::to_string(1950 + random() % 75));
    watch->setKoneistotyyppi(i % 2 == 0 ? "Automatic" : "Quartz");
    watch->setHalkaisija(std::to_string(34 + random() % 12));
    watch->setLugivali(std::to_string(18 + 2 * (random() % 4)));
    watch->setVarasarake2(std::string(kStatuses[random() % kStatuses.size()]));
    watch->setOstohinta(static_cast<double>(100 + random() % 9000));
    watch->setOstopvm(base - std::chrono::hours(24 * (random() % 4000)));
    watch->setVarasarake4(static_cast<double>(random() % 400));
    watch->setVarasarake5(base - std::chrono::hours(random() % 5000));
    if (i % 7 == 0) watch->setTakuupvm(base + std::chrono::hours(24 * (random() % 700)));
    if (i % 10 == 0) {
      watch->setMyyntiliike("Buyer");
      watch->setMyyntihinta(static_cast<double>(100 + random() % 9000));
    } else {
      watch->setMyyntiliike("");
    }
    if (pictureBytes > 0) {
      Bytes picture(pictureBytes);
      for (auto& byte : picture) byte = static_cast<std::uint8_t>(random());
      watch->setKellokuva(std::move(picture));
    }
    // Keep each transaction and the pending pictures small.
    if (i % 500 == 499) {
      if (Status saved = context.save(); !saved) fatalStop(saved);
    }
  }
  if (Status saved = context.save(); !saved) fatalStop(saved);
}

}  // namespace tockary::bench
