// Every picture a screen can ask for by name must be in the asset folder: a missing one shows
// an empty button, and nothing else would notice. The names come from the screens' own tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "accuracy/accuracy_table_view_controller.h"
#include "accuracy/insert_accuracy_table_view_controller.h"
#include "collection/my_watch_collection_table_view_cell.h"
#include "collection/my_watch_collection_table_view_controller.h"
#include "collection/watch_card.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "editor/insert_watch_table_view_controller.h"
#include "platform/assets/asset_catalog.h"
#include "platform/image/image_codec.h"
#include "watch/watch_status.h"
#include "watch/wear_counter.h"

namespace tockary {
namespace {

// Screens not written yet name these; each moves into its screen's table when the screen lands:
// the warranty editor.
const std::vector<std::string> kPicturesOfScreensToCome = {
    "WCard_nopic.png",
};

struct NamedBy {
  std::string table;
  std::vector<std::string> names;
};

std::vector<NamedBy> everyTable() {
  NamedBy big{"status picker", {}};
  for (const WatchStatus& status : kWatchStatuses) big.names.emplace_back(status.bigIcon);
  NamedBy badges{"wear badges", {}};
  for (const WearBadge& badge : kWearBadges) badges.names.emplace_back(badge.imageName);
  return {
      {"collection row", rowImageNames()},
      {"collection screen", MyWatchCollectionTableViewController::screenImageNames()},
      big,
      badges,
      {"detail picture", {std::string(kNoPictureImage), std::string(kDiagramImage)}},
      {"watch card", {std::string(kCardDiagramImage)}},
      {"editor", editorImageNames()},
      {"measurement screen", InsertAccuracyTableViewController::screenImageNames()},
      {"measurement list", {std::string(AccuracyTableViewController::kTitleImage)}},
      {"screens to come", kPicturesOfScreensToCome},
  };
}

std::string fileName(std::string name) {
  if (!name.ends_with(".png")) name += ".png";
  return name;
}

TEST(AssetNamesTest, EveryNamedPictureExistsAndDecodesToAVisiblePicture) {
  const AssetCatalog assets;
  const ImageCodec codec;
  for (const NamedBy& table : everyTable()) {
    ASSERT_FALSE(table.names.empty()) << table.table;
    for (const std::string& name : table.names) {
      SCOPED_TRACE(table.table + ": " + name);
      const auto bytes = assets.imageNamed(name);
      ASSERT_TRUE(bytes) << bytes.status().description() << " in " << assets.folder();
      EXPECT_EQ(imageFormatOf(*bytes), ImageFormat::Png);
      const auto image = codec.decode(*bytes);
      ASSERT_TRUE(image) << image.status().description();
      ASSERT_FALSE(image->isEmpty());
      // Big enough to stay sharp at row size on a 2x screen, and not a blank canvas.
      EXPECT_GE(std::min(image->width(), image->height()), 40);
      std::set<std::uint32_t> colours;
      for (int y = 0; y < image->height(); y += 3) {
        for (int x = 0; x < image->width(); x += 3) colours.insert(image->pixel(x, y));
      }
      EXPECT_GE(colours.size(), 3U);
    }
  }
}

TEST(AssetNamesTest, NamesAreUniqueAndEveryFileIsNamedBySomeScreen) {
  std::set<std::string> named;
  for (const NamedBy& table : everyTable()) {
    std::set<std::string> inTable;
    for (const std::string& name : table.names) {
      EXPECT_TRUE(inTable.insert(fileName(name)).second)
          << table.table << " lists " << name << " twice";
      named.insert(fileName(name));
    }
  }
  // The families: 23 row status icons, 19 big ones, 10 + 10 badges, 20 indicators, 6 dots,
  // 11 + 11 + 31 stripes.
  EXPECT_EQ(rowImageNames().size(), 23U + 10 + 6 + 7 + 20 + 11 + 11 + 31);

  const AssetCatalog assets;
  std::vector<std::string> unnamed;
  std::uintmax_t totalBytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(assets.folder())) {
    const std::string file = entry.path().filename().string();
    if (file.starts_with(".")) continue;
    totalBytes += entry.file_size();
    if (!named.contains(file)) unnamed.push_back(file);
  }
  EXPECT_TRUE(unnamed.empty()) << "not named by any screen: " << testing::PrintToString(unnamed);
  EXPECT_LT(totalBytes, 5U * 1024 * 1024);
}

TEST(AssetNamesTest, NoTwoNamesShareAPicture) {
  const AssetCatalog assets;
  std::map<Bytes, std::string> byContent;
  for (const NamedBy& table : everyTable()) {
    for (const std::string& name : table.names) {
      const auto bytes = assets.imageNamed(name);
      if (!bytes) continue;  // reported by the test above
      const auto [at, inserted] = byContent.emplace(*bytes, fileName(name));
      if (!inserted) {
        EXPECT_EQ(at->second, fileName(name)) << "same picture";
      }
    }
  }
}

TEST(AssetNamesTest, EveryStatusHasItsOwnRowIcon) {
  std::set<std::string_view> icons;
  for (const WatchStatus& status : kWatchStatuses) {
    EXPECT_TRUE(icons.insert(status.rowIcon).second) << status.name;
  }
  // Only "Not Set" may look like a watch whose status the table does not know.
  EXPECT_EQ(statusIconName("_Not Set_", ""), findWatchStatus(kNotSetStatus)->rowIcon);
  EXPECT_EQ(statusIconName("Keeper ", ""), findWatchStatus(kNotSetStatus)->rowIcon);
}

}  // namespace
}  // namespace tockary
