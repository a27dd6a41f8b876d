#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "detail/detail_fixture.h"
#include "detail/diagram_drawing.h"
#include "platform/image/image_codec.h"
#include "platform/render/renderer.h"

namespace tockary::testing {
namespace {

class DiagramDrawingTest : public DetailTest {
 protected:
  // The detail screen of `watch` turned to its third face.
  DiagramOverlay thirdFace(const Kello& watch) {
    TarkasteleKelloaTableViewController screen(services, watch.objectID());
    screen.setScreenCentreX(300);  // the overlay's place on the screen is not the image's
    screen.viewDidLoad();
    screen.flipWatchPhoto();
    screen.flipWatchPhoto();
    EXPECT_TRUE(screen.outputs().tekstiView.has_value());
    return screen.outputs().tekstiView.value_or(DiagramOverlay{});
  }
};

TEST_F(DiagramDrawingTest, TheOverlayIsAFiveHundredPointImageOfTheScreensTexts) {
  auto watch = newWatch("Tudor");
  watch->setHalkaisija(std::string("39"));
  watch->setLugivali(std::string(""));
  watch->setPaksuus(std::string("11.5"));
  watch->setLasi(std::string("Sapphire"));
  watch->setKruunu(std::string("Screw-down"));
  ASSERT_TRUE(context().save().isOk());
  const DiagramOverlay overlay = thirdFace(*watch);
  const Drawing drawing = diagramOverlayDrawing(overlay);
  EXPECT_EQ(drawing.size, (Size{500, 500}));
  ASSERT_EQ(drawing.elements.size(), overlay.texts.size());
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < drawing.elements.size(); ++i) {
    const auto* text = std::get_if<DrawnText>(&drawing.elements[i]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->frame, overlay.texts[i].frame);  // the screen's places, not a copy of them
    EXPECT_EQ(text->alignment, TextAlignment::Centre);
    ASSERT_EQ(text->runs.size(), 1U);
    const TextRun& run = text->runs[0];
    EXPECT_EQ(run.fontName, "HelveticaNeue-Bold");
    EXPECT_EQ(run.pointSize, 12);
    EXPECT_EQ(run.colour, (Rgba{1, 1, 1, 1}));
    EXPECT_EQ(run.shadow, (Shadow{1, 1, 0, kBlack}));
    texts.push_back(run.text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"39 mm", "??", "??", "11.5 mm", "Sapphire", "??", "??",
                                             "Screw-down"}));
}

TEST_F(DiagramDrawingTest, TheFaceIsTheDiagramWithTheOverlayOverIt) {
  auto watch = newWatch("Tudor");
  watch->setHalkaisija(std::string("39"));
  ASSERT_TRUE(context().save().isOk());
  const Drawing face = diagramFaceDrawing(thirdFace(*watch));
  ASSERT_EQ(face.elements.size(), 9U);
  const auto* diagram = std::get_if<DrawnPicture>(&face.elements[0]);
  ASSERT_NE(diagram, nullptr);
  EXPECT_EQ(diagram->assetName, "Watch_Diagram.png");
  EXPECT_EQ(diagram->frame, (Frame{0, 0, 500, 500}));

  const auto image = ImageCodec().decode(renderPng(face, 2).value());
  ASSERT_TRUE(image.isOk());
  EXPECT_EQ(image->width(), 1000);
  EXPECT_EQ(image->height(), 1000);
  // "39 mm" is centred in its frame (150, 240, 200, 20): white at the middle, in the shadowed
  // white of the text.
  bool white = false;
  for (int y = 480; y < 520 && !white; ++y) {
    for (int x = 460; x < 540 && !white; ++x) white = (image->pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
  }
  EXPECT_TRUE(white);
}

}  // namespace
}  // namespace tockary::testing
