// A destination: a page of the document and a view of it, written as an array for /Dest
// and /OpenAction entries.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

class TPdfArray;
class TPdfDocument;
class TPdfPage;

enum TPdfDestinationType : uint8_t { dtXYZ, dtFit, dtFitH, dtFitV, dtFitR, dtFitB, dtFitBH, dtFitBV };

class TPdfDestination {
 public:
  // On the document's current page (EPdfInvalidOperation "GetPage" without one): XYZ,
  // all values 0, zoom 1.
  explicit TPdfDestination(TPdfDocument& document);

  enum { Left = 0, Top = 1, Right = 2, Bottom = 3 };
  int32_t Value(int index) const { return values_.at(static_cast<size_t>(index)); }
  // A negative value is stored as -1.
  void SetValue(int index, int32_t value);
  float Zoom() const { return zoom_; }
  // 0 to 10; outside raises EPdfInvalidValue "Zoom<0" or "Zoom>10".
  void SetZoom(float zoom);

  // A new direct array: the page, the type name and the type's values.
  std::unique_ptr<TPdfArray> AsArray() const;

  TPdfDocument& Document;
  TPdfPage* Page;
  TPdfDestinationType DestinationType = dtXYZ;

 private:
  std::array<int32_t, 4> values_{};
  float zoom_ = 1.0f;
};
