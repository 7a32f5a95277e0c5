// A laid-out document painted twice: straight onto the raster device, and recorded as a
// metafile that is then played back. The two must give the same pixels.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "html/document/model/Document.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/gdi/metafile/MetafileCanvas.h"
#include "tests/support/GdiPictures.h"

// Paints the top width x height of the document on white, writes the picture as
// folder/name.png under the build folder for a person to look at, and checks that the
// metafile played back gives the same pixels. Answers the raster picture.
inline std::unique_ptr<TBitmap> PaintSceneBothWays(ThtDocument& document, int width, int height,
                                                   const std::string& folder, const std::string& name) {
  const auto paint = [&](TCanvas& target) {
    target.Brush().SetStyle(bsSolid);
    target.Brush().SetColor(clWhite);
    target.FillRect(TRect{0, 0, width, height});
    document.Draw(target, TRect{0, 0, width, height}, width, 0, 0, 0, 0);
  };
  auto direct = std::make_unique<TBitmap>(width, height, pf24bit);
  paint(direct->Canvas());
  const std::filesystem::path place = std::filesystem::path(WENDREL_BUILD_DIR) / folder;
  std::filesystem::create_directories(place);
  std::ofstream(place / (name + ".png"), std::ios::binary) << EncodePng(direct->Image(), false);

  TMetafile metafile;
  metafile.SetWidth(width);
  metafile.SetHeight(height);
  {
    TMetafileCanvas recorder(metafile);
    paint(recorder);
  }
  TBitmap played(width, height, pf24bit);
  played.Canvas().Draw(0, 0, metafile);
  EXPECT_EQ(CountDifferent(PictureOf(direct->Image()), PictureOf(played.Image())), 0) << name;
  return direct;
}
