#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/insert_watch_table_view_controller.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "settings/preference_keys.h"
#include "store/app_delegate.h"
#include "store/app_services.h"
#include "support/recording_presenter.h"
#include "support/screen_fixture.h"

namespace tockary::testing {

class EditorTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    clock.set(at(2024, 5, 17, 14, 30));
  }

  std::unique_ptr<InsertWatchTableViewController> insertScreen() {
    auto screen = std::make_unique<InsertWatchTableViewController>(services);
    screen->openForInsert();
    screen->viewDidLoad();
    return screen;
  }

  std::unique_ptr<InsertWatchTableViewController> editScreen(const std::shared_ptr<Kello>& watch) {
    auto screen = std::make_unique<InsertWatchTableViewController>(services);
    screen->openForEdit(editRequestFor(*watch));
    screen->viewDidLoad();
    return screen;
  }

  std::shared_ptr<Kello> storedWatch() {
    auto watch = app.viewContext().insertNewObject<Kello>();
    watch->setMerkki("Seiko");
    watch->setMalli("SKX007");
    watch->setVuosimalli("1998");
    watch->setKoneistotyyppi("Quartz");
    watch->setMyyntiliike("");
    watch->setOstohinta(1200);
    watch->setVarasarake2("In Rotation");
    watch->setVarasarake3("Bought at the fair");
    watch->setVarasarake4(12);
    watch->setVarasarake5(formatters.calendar().dateFrom(2024, 5, 1));
    watch->setOstopvm(formatters.calendar().dateFrom(2020, 3, 4));
    EXPECT_TRUE(app.viewContext().save().isOk());
    return watch;
  }

  std::vector<std::shared_ptr<Kello>> allWatches() {
    return app.viewContext().fetch<Kello>(Kello::fetchRequest()).value();
  }

  Bytes pngOf(int width, int height, std::uint32_t colour = 0xFF336699) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), colour);
    return codec.encodePng(Image::fromArgb(width, height, pixels)).value();
  }

  ImageCodec codec;
};

}  // namespace tockary::testing
