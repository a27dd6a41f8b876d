#include "platform/assets/asset_catalog.h"

#include <gtest/gtest.h>

#include "platform/image/image_codec.h"
#include "support/temp_dir.h"

namespace tockary {
namespace {

TEST(AssetCatalogTest, PlaceholdersAreRealDistinctPicturesByEitherName) {
  const AssetCatalog assets;
  const ImageCodec codec;
  const auto front = assets.imageNamed("insertpic_front.png");
  const auto back = assets.imageNamed("insertpic_back");
  ASSERT_TRUE(front) << front.status().description() << " in " << assets.folder();
  ASSERT_TRUE(back) << back.status().description();
  EXPECT_EQ(assets.imageNamed("insertpic_front").value(), *front);
  EXPECT_NE(*front, *back);
  for (const Bytes* bytes : {&*front, &*back}) {
    EXPECT_EQ(imageFormatOf(*bytes), ImageFormat::Png);
    const auto image = codec.decode(*bytes);
    ASSERT_TRUE(image) << image.status().description();
    EXPECT_GE(image->width(), 200);
    EXPECT_EQ(image->width(), image->height());
    // A drawing, not a blank: the centre (the camera hint) differs from the corner.
    EXPECT_NE(image->pixel(0, 0), image->pixel(image->width() / 2, image->height() * 44 / 100));
  }
}

TEST(AssetCatalogTest, UnknownAndUnsafeNamesAreNoSuchAsset) {
  testing::TempDir dir;
  testing::writeFile(dir.path() / "dot.png", "\x89PNG");
  testing::writeFile(dir.path() / "empty.png", "");
  testing::writeFile(dir.path().parent_path() / "outside.png", "\x89PNG");
  const AssetCatalog assets(dir.path() / ".." / dir.path().filename());
  EXPECT_TRUE(assets.imageNamed("dot"));
  for (const char* name : {"nothing.png", "", "../outside.png", "..", ".png", "empty", "sub/dot"}) {
    const auto result = assets.imageNamed(name);
    ASSERT_FALSE(result) << name;
    EXPECT_EQ(result.status().description(), "no such asset \"" + std::string(name) + "\"");
  }
  std::filesystem::remove(dir.path().parent_path() / "outside.png");
}

}  // namespace
}  // namespace tockary
