// Screenshot tests of the Qt windows against reviewed reference pictures under
// tests/fixtures/pictures/desktop/, through the shared picture comparison: a picture
// matches when it has the reference's size and at most maxShare of its pixels differ by
// more than channelTolerance in a channel (anti-aliased text may move by a shade).
#pragma once

#include <QImage>
#include <string>

#include "tests/support/PictureReference.h"
#include "tests/support/QtPictures.h"

inline ::testing::AssertionResult MatchesReference(const QImage& picture, const std::string& name,
                                                   double maxShare = 0.002, int channelTolerance = 40) {
  const auto allowed = static_cast<int64_t>(maxShare * picture.width() * picture.height());
  return MatchesReference(PictureOf(picture), "desktop/" + name,
                          TPictureTolerance{.Channel = channelTolerance, .Pixels = allowed});
}
