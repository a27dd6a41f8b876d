#include "platform/ui/picture_handle.h"

#include <gtest/gtest.h>

namespace tockary {
namespace {

TEST(PictureHandleTest, TokensRoundTripForEveryKind) {
  const PictureHandle asset = PictureHandle::asset("nopic.png");
  EXPECT_TRUE(asset.isAsset());
  EXPECT_EQ(asset.token(), "asset/nopic.png");
  const PictureHandle stored = PictureHandle::stored("Kello/12", "front");
  EXPECT_TRUE(stored.isStored());
  EXPECT_EQ(stored.token(), "Kello/12/front");
  EXPECT_EQ(stored.assetName(), "");
  const PictureHandle withFallback =
      PictureHandle::stored("Kello/12", "back", "insertpic_back.png");
  EXPECT_EQ(withFallback.token(), "Kello/12/back/insertpic_back.png");
  EXPECT_EQ(withFallback.assetName(), "insertpic_back.png");
  for (const PictureHandle& handle : {asset, stored, withFallback}) {
    EXPECT_EQ(PictureHandle::fromToken(handle.token()), handle) << handle.token();
  }
}

// A token comes back from a front end: whatever it says, it names nothing beyond a record's face
// or one asset.
TEST(PictureHandleTest, ForeignTokensAreRefused) {
  for (const char* token : {"", "asset", "asset/", "asset/a/b", "Kello", "Kello/12", "Kello//front",
                            "/12/front", "Kello/12/front/a/b", "asset/x/front"}) {
    EXPECT_FALSE(PictureHandle::fromToken(token)) << token;
  }
  EXPECT_TRUE(PictureHandle::asset("a/b").isEmpty());
  EXPECT_TRUE(PictureHandle::stored("asset/1", "front").isEmpty());
  EXPECT_TRUE(PictureHandle().isEmpty());
}

}  // namespace
}  // namespace tockary
