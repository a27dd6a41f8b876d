#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/ui/share.h"

namespace tockary {

// What the share sheets of a warranty card and of a watch report never offer.
inline constexpr std::array<ShareActivity, 12> kExcludedShareActivities = {
    ShareActivity::PostToFacebook,     ShareActivity::PostToTwitter,
    ShareActivity::PostToWeibo,        ShareActivity::Print,
    ShareActivity::CopyToPasteboard,   ShareActivity::AssignToContact,
    ShareActivity::SaveToCameraRoll,   ShareActivity::AddToReadingList,
    ShareActivity::PostToFlickr,       ShareActivity::PostToVimeo,
    ShareActivity::PostToTencentWeibo, ShareActivity::AirDrop,
};

// A file name made of `stem` (text a user typed, such as a watch label) and `extension`
// (".png"), that cannot leave the folder it is written to: path separators and control
// characters become "-", invalid UTF-8 becomes U+FFFD, and the name is cut at a character
// boundary to stay within the 255 bytes a file name may have.
std::string fileNameFromText(std::string_view stem, std::string_view extension);

}  // namespace tockary
