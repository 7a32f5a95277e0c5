// Screenshot tests against reviewed reference pictures (PNG under
// tests/fixtures/pictures/desktop/). A picture matches its reference when they have the
// same size and few pixels differ by more than a small amount (anti-aliased text may move
// by a shade). On a mismatch the actual picture and a difference picture (changed pixels
// red) are written under the build folder. With WENDREL_UPDATE_PICTURES=1 in the
// environment the references are rewritten instead, for a person to look at and commit.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <cstdlib>
#include <string>

namespace reference_picture {

inline QString Path(const std::string& name) {
  return QString::fromStdString(std::string(WENDREL_FIXTURES) + "/pictures/desktop/" + name + ".png");
}

inline bool Updating() {
  const char* value = std::getenv("WENDREL_UPDATE_PICTURES");
  return value && std::string(value) == "1";
}

// How many pixels of two pictures of the same size differ by more than channelTolerance in
// a channel; marks them red on a grey copy of actual in difference.
inline long DifferingPixels(const QImage& actual, const QImage& expected, int channelTolerance, QImage& difference) {
  difference = actual.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
  long count = 0;
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x) {
      QColor a(actual.pixel(x, y)), e(expected.pixel(x, y));
      if (std::abs(a.red() - e.red()) > channelTolerance || std::abs(a.green() - e.green()) > channelTolerance ||
          std::abs(a.blue() - e.blue()) > channelTolerance) {
        ++count;
        difference.setPixel(x, y, qRgb(255, 0, 0));
      }
    }
  return count;
}

}  // namespace reference_picture

// Compares a picture with its reference `name`; at most maxShare of its pixels may differ.
inline ::testing::AssertionResult MatchesReference(const QImage& picture, const std::string& name,
                                                   double maxShare = 0.002, int channelTolerance = 40) {
  using namespace reference_picture;
  QImage actual = picture.convertToFormat(QImage::Format_RGB32);
  QString path = Path(name);
  if (Updating()) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!actual.save(path, "PNG")) return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
    return ::testing::AssertionSuccess() << "rewrote " << path.toStdString();
  }
  QImage expected;
  if (!expected.load(path, "PNG"))
    return ::testing::AssertionFailure() << "no reference " << path.toStdString()
                                         << " (run with WENDREL_UPDATE_PICTURES=1, look at it, commit it)";
  expected = expected.convertToFormat(QImage::Format_RGB32);
  std::string out = std::string(WENDREL_BUILD_DIR) + "/pictures/" + name;
  QDir().mkpath(QString::fromStdString(std::string(WENDREL_BUILD_DIR) + "/pictures"));
  if (actual.size() != expected.size()) {
    actual.save(QString::fromStdString(out + ".actual.png"), "PNG");
    return ::testing::AssertionFailure() << name << ": size " << actual.width() << "x" << actual.height()
                                         << ", reference " << expected.width() << "x" << expected.height();
  }
  QImage difference;
  long differing = DifferingPixels(actual, expected, channelTolerance, difference);
  long allowed = static_cast<long>(maxShare * actual.width() * actual.height());
  if (differing <= allowed) return ::testing::AssertionSuccess();
  actual.save(QString::fromStdString(out + ".actual.png"), "PNG");
  difference.save(QString::fromStdString(out + ".difference.png"), "PNG");
  return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ (at most " << allowed
                                       << "); see " << out << ".actual.png and .difference.png";
}
