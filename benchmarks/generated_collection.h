#pragma once

#include <cstddef>
#include <filesystem>

namespace tockary::bench {

// Fills the store in `dataDirectory` with `count` watches of varied brands, years, prices, dates,
// wears and statuses, every tenth one sold; each gets a front picture of `pictureBytes` bytes
// when that is not 0. The same arguments always give the same collection.
void generateCollection(const std::filesystem::path& dataDirectory, std::size_t count,
                        std::size_t pictureBytes);

}  // namespace tockary::bench
