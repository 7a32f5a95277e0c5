// Comparing a picture a test made with a reference picture that a person has looked at.
//
// References live in tests/fixtures/pictures/<name>.png. When a picture strays from its
// reference beyond the tolerance, the comparison fails and writes <name>.actual.png and
// <name>.diff.png (see DifferencePicture) under the build folder's pictures/ folder. After
// looking at them, a person accepts the new pictures by running the tests once with
// WENDREL_UPDATE_PICTURES=1, which rewrites the references instead of comparing.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/Pictures.h"

struct TPictureFolders {
  std::string References;  // where the reviewed pictures are
  std::string Output;      // where actual and difference pictures go
  bool Rewrite = false;    // rewrite the references instead of comparing
};

// tests/fixtures/pictures, the build folder's pictures/, and WENDREL_UPDATE_PICTURES=1.
TPictureFolders DefaultPictureFolders();

// EXPECT_TRUE(MatchesReference(picture, "gdi/snapshot", {.Channel = 8, .Pixels = 20}));
::testing::AssertionResult MatchesReference(const TTestPicture& actual, const std::string& name,
                                            TPictureTolerance tolerance = {},
                                            const TPictureFolders& folders = DefaultPictureFolders());
