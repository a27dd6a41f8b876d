#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/render/drawing.h"
#include "platform/status.h"

namespace tockary {

// The drawing as a PNG image of `scale` pixels per point, transparent where nothing is drawn.
Result<Bytes> renderPng(const Drawing& drawing, double scale = 1.0);

// A PDF with one page per drawing (each page the drawing's size) and `title` as the document's
// title entry, written whole or not at all to `file`.
Status writePdf(const std::vector<Drawing>& pages, const std::string& title,
                const std::filesystem::path& file);

}  // namespace tockary
