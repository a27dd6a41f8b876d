#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/assets/asset_catalog.h"
#include "platform/render/drawing.h"
#include "platform/status.h"

namespace tockary {

// Both renderers lay a drawing out the same way: texts in the fonts that stand in for the named
// ones (font_names.h), one point of a font being one point of the drawing; pictures decoded by the
// image codec within its limits, asset pictures from `assets`. A picture that cannot be decoded
// or an asset that does not exist fails the whole rendering (its reason in the description);
// nothing is ever drawn in its place. A program without a Qt GUI application (the command line)
// gets an offscreen one on first use.

// The drawing as a PNG image of `scale` pixels per point, transparent where nothing is drawn. Its
// sides are the drawing's, times `scale`, rounded up. A size that is not positive or is beyond
// the image codec's limits is an error.
Result<Bytes> renderPng(const Drawing& drawing, double scale = 1.0,
                        const AssetCatalog& assets = AssetCatalog());

// A PDF with one page per drawing (each page the drawing's size, in points, exactly) and `title`
// as the document's title entry, written whole or not at all to `file`: an existing file of that
// name is replaced (a symbolic link is replaced, never followed). No pages, a page size that is
// not positive, or a failed write is an error naming the reason, and the file is left as it was.
Status writePdf(const std::vector<Drawing>& pages, const std::string& title,
                const std::filesystem::path& file, const AssetCatalog& assets = AssetCatalog());

}  // namespace tockary
