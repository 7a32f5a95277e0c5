#include "tests/support/PictureReference.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

TPictureFolders DefaultPictureFolders() {
  const char* update = std::getenv("WENDREL_UPDATE_PICTURES");
  return {WENDREL_FIXTURES "/pictures", WENDREL_BUILD_DIR "/pictures", update && std::string(update) == "1"};
}

::testing::AssertionResult MatchesReference(const TTestPicture& actual, const std::string& name,
                                            TPictureTolerance tolerance, const TPictureFolders& folders) {
  const std::string reference = folders.References + "/" + name + ".png";
  const std::string actualPath = folders.Output + "/" + name + ".actual.png";
  const std::string diffPath = folders.Output + "/" + name + ".diff.png";
  // Pictures of an earlier failing run would mislead whoever looks next.
  std::filesystem::remove(actualPath);
  std::filesystem::remove(diffPath);

  if (folders.Rewrite) {
    WritePictureFile(actual, reference);
    std::printf("rewrote the reference picture %s\n", reference.c_str());
    return ::testing::AssertionSuccess() << "rewrote " << reference;
  }
  if (!std::filesystem::exists(reference)) {
    WritePictureFile(actual, actualPath);
    return ::testing::AssertionFailure() << "no reference picture " << reference << "; look at " << actualPath
                                         << ", then accept it with WENDREL_UPDATE_PICTURES=1";
  }
  TTestPicture expected = ReadPictureFile(reference);
  bool sameSize = expected.Width == actual.Width && expected.Height == actual.Height;
  int64_t different = sameSize ? CountDifferent(expected, actual, tolerance.Channel) : 0;
  if (sameSize && different <= tolerance.Pixels)
    return ::testing::AssertionSuccess() << different << " pixels differ beyond " << tolerance.Channel;

  WritePictureFile(actual, actualPath);
  WritePictureFile(DifferencePicture(expected, actual, tolerance.Channel), diffPath);
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  if (!sameSize) {
    failure << name << " is " << actual.Width << " x " << actual.Height << " pixels, the reference "
            << expected.Width << " x " << expected.Height;
  } else {
    failure << name << ": " << different << " pixels differ by more than " << tolerance.Channel
            << " in a channel (" << tolerance.Pixels << " allowed)";
  }
  return failure << "; see " << actualPath << " and " << diffPath << " against " << reference
                 << " (WENDREL_UPDATE_PICTURES=1 accepts the new picture once a person has looked at it)";
}
