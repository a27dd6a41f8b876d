#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "platform/assets/asset_catalog.h"
#include "service/service_fixture.h"
#include "service/tarkastele_takuuta_table_view_controller.h"
#include "store/watch_pictures.h"

namespace tockary::testing {
namespace {

class WarrantyDetailTest : public ServiceTest {
 protected:
  std::unique_ptr<TarkasteleTakuutaTableViewController> open(const ObjectID& id) {
    auto detail = std::make_unique<TarkasteleTakuutaTableViewController>(services, id);
    detail->viewDidLoad();
    return detail;
  }
  std::vector<ShareRequest> shared() const {
    std::vector<ShareRequest> requests;
    for (const auto& event : presenter.events())
      if (const auto* share = std::get_if<RecordingPresenter::Share>(&event))
        requests.push_back(share->request);
    return requests;
  }
  static bool excludes(const ShareRequest& request, ShareActivity activity) {
    return std::ranges::find(request.excludedActivityTypes, activity) !=
           request.excludedActivityTypes.end();
  }
};

TEST_F(WarrantyDetailTest, ShowsTheLabelAndThePictureFittedToTheContainer) {
  const Bytes stored = png(400, 200);
  auto record = card("Omega Speedmaster", stored);
  auto detail = open(record->objectID());
  EXPECT_TRUE(detail->found());
  EXPECT_EQ(detail->brandAndModelLabel(), "Omega Speedmaster");
  const auto& view = detail->warrantyCardScrollView();
  EXPECT_EQ(view.imageViewWidth(), 343.0);
  EXPECT_EQ(view.imageViewHeight(), 171.5);
  EXPECT_EQ(detail->preferredContentHeight(), 171.5);
  EXPECT_EQ(detail->warrantyCardText(),
            "PNG picture, 400 x 200 pixels, " + std::to_string(stored.size()) + " bytes");
  // Front ends get the picture through its handle, never by the attribute's name.
  const PictureHandle handle = detail->warrantyCardPicture();
  EXPECT_EQ(handle.token(), record->objectID().text() + "/card");
  const AssetCatalog assets;
  const PictureReader reader(context(), assets);
  EXPECT_EQ(reader.read(handle), stored);
}

TEST_F(WarrantyDetailTest, ZoomStaysBetweenTheFittedSizeAndTwiceIt) {
  auto detail = open(card("Omega", png(10, 10))->objectID());
  auto& view = detail->warrantyCardScrollView();
  EXPECT_EQ(view.minimumZoomScale(), 1.0);
  EXPECT_EQ(view.maximumZoomScale(), 2.0);
  EXPECT_EQ(view.zoomScale(), 1.0);
  EXPECT_EQ(view.setZoomScale(1.5), 1.5);
  EXPECT_EQ(view.setZoomScale(2.0), 2.0);
  EXPECT_EQ(view.setZoomScale(2.01), 2.0);
  EXPECT_EQ(view.setZoomScale(0.5), 1.0);
  EXPECT_EQ(view.setZoomScale(0.999), 1.0);
  EXPECT_EQ(view.setZoomScale(std::nan("")), 1.0);
  // The double tap: twice the fitted size from it, the fitted size from any zoom above it.
  EXPECT_EQ(view.toggleZoomScale(), 2.0);
  EXPECT_EQ(view.toggleZoomScale(), 1.0);
  view.setZoomScale(1.2);
  EXPECT_EQ(view.toggleZoomScale(), 1.0);
}

TEST_F(WarrantyDetailTest, ShareHandsOverThePngFirstAndTheLabelSecond) {
  const Bytes stored = png(8, 4);
  auto detail = open(card("Omega Speedmaster/Moonwatch", stored)->objectID());
  detail->shareWarranty();
  const auto requests = shared();
  ASSERT_EQ(requests.size(), 1u);
  const ShareRequest& request = requests[0];
  ASSERT_EQ(request.items.size(), 2u);
  const auto* data = request.items[0].asData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->bytes, stored);  // PNG already: handed over as stored
  EXPECT_EQ(data->fileName, "Warranty card - Omega Speedmaster-Moonwatch.png");
  EXPECT_EQ(data->mimeType, "image/png");
  ASSERT_NE(request.items[1].asText(), nullptr);
  EXPECT_EQ(*request.items[1].asText(), "Omega Speedmaster/Moonwatch");
  EXPECT_EQ(request.excludedActivityTypes.size(), 12u);
  EXPECT_TRUE(excludes(request, ShareActivity::AirDrop));
  EXPECT_TRUE(excludes(request, ShareActivity::Print));
  EXPECT_FALSE(excludes(request, ShareActivity::Mail));
  EXPECT_FALSE(excludes(request, ShareActivity::SaveToFile));
}

TEST_F(WarrantyDetailTest, AJpegCardIsSharedAsPng) {
  auto detail = open(card("Seiko", jpeg(16, 8))->objectID());
  detail->shareWarranty();
  const auto requests = shared();
  ASSERT_EQ(requests.size(), 1u);
  const Bytes& bytes = requests[0].items[0].asData()->bytes;
  EXPECT_EQ(imageFormatOf(bytes), ImageFormat::Png);
  const auto decoded = ImageCodec().decode(bytes);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->width(), 16);
  EXPECT_EQ(decoded->height(), 8);
}

TEST_F(WarrantyDetailTest, NoPictureOrOneThatDoesNotDecodeSharesNothing) {
  const Bytes broken{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  for (const auto& stored : {std::optional<Bytes>(), std::optional<Bytes>(broken)}) {
    auto detail = open(card("Omega", stored)->objectID());
    EXPECT_TRUE(detail->warrantyCardPicture().isEmpty());
    EXPECT_FALSE(detail->warrantyCardScrollView().hasPicture());
    detail->shareWarranty();
  }
  EXPECT_TRUE(shared().empty());
  EXPECT_TRUE(presenter.events().empty());
  auto detail = open(card("Omega", broken)->objectID());
  EXPECT_EQ(detail->warrantyCardText(), "A picture that cannot be shown, 9 bytes");
}

TEST_F(WarrantyDetailTest, AnUnknownCardShowsNothingAndEditOpensTheEditorWithItsTitle) {
  auto gone = open(ObjectID{"Takuu", 99});
  EXPECT_FALSE(gone->found());
  EXPECT_EQ(gone->brandAndModelLabel(), "");
  EXPECT_EQ(gone->warrantyCardText(), "No picture");

  auto record = card(std::nullopt, png(2, 2));
  auto detail = open(record->objectID());
  EXPECT_EQ(detail->brandAndModelLabel(), "");
  EXPECT_EQ(detail->sharedFileName(), "Warranty card.png");
  detail->editSelectedWarranty();
  ASSERT_EQ(presenter.events().size(), 1u);
  const auto& editor = std::get<ScreenRequest>(presenter.events()[0]);
  EXPECT_EQ(editor.screen, "InsertWarrantyTableViewController");
  EXPECT_EQ(editor.objectId, record->objectID().text());
  EXPECT_EQ(editor.arguments.at("tempEditTitleMuutos"), "Edit Warranty");
}

}  // namespace
}  // namespace tockary::testing
