#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/image/image_codec.h"
#include "store/records.h"
#include "support/screen_fixture.h"

namespace tockary::testing {

// Service screens over a store with records made directly, as earlier saves left them.
class ServiceTest : public ScreenTest {
 protected:
  struct ServiceValues {
    std::optional<std::string> watch = {}, centre = {}, reason = {}, description = {};
    std::optional<Date> start = {}, back = {}, warranty = {};
    double cost = 0;
  };

  std::shared_ptr<Huolto> service(const ServiceValues& v) {
    auto record = context().insertNewObject<Huolto>();
    record->setHuollonkello(v.watch);
    record->setHuoltoliike(v.centre);
    record->setHuoltopvm(v.start);
    record->setHuollostapaluupvm(v.back);
    record->setHuoltotakuupvm(v.warranty);
    record->setHuoltosyy(v.reason);
    record->setHuoltokuvaus(v.description);
    record->setHuoltohinta(v.cost);
    EXPECT_TRUE(context().save().isOk());
    return record;
  }

  std::shared_ptr<Takuu> card(std::optional<std::string> watch, std::optional<Bytes> picture) {
    auto record = context().insertNewObject<Takuu>();
    record->setTakuunKello(std::move(watch));
    record->setTakuuKortti(std::move(picture));
    EXPECT_TRUE(context().save().isOk());
    return record;
  }

  // A picture of `width` x `height` pixels, left half red, right half blue.
  static Image picture(int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        pixels[static_cast<std::size_t>(y * width + x)] = x < width / 2 ? 0xFFFF0000 : 0xFF0000FF;
    return Image::fromArgb(width, height, pixels);
  }
  static Bytes png(int width, int height) {
    return ImageCodec().encodePng(picture(width, height)).value();
  }
  static Bytes jpeg(int width, int height) {
    return ImageCodec().encodeJpeg(picture(width, height), 0.9).value();
  }
};

}  // namespace tockary::testing
