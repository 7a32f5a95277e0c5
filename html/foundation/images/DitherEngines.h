// Dither engines of the colour reduction: nearest colour, and serpentine Floyd-Steinberg
// error diffusion (rows alternate left-to-right and right-to-left).
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "html/foundation/images/ColourLookup.h"

class TDitherEngine {
 public:
  TDitherEngine(int width, TColorLookup& lookup) : Lookup(lookup), Width(width) {}
  virtual ~TDitherEngine() = default;
  // Maps the pixel at Column and moves Column on by Direction.
  virtual int MapPixel(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue);
  virtual void EndOfRow();

  int Direction = 1;
  int Column = 0;

 protected:
  TColorLookup& Lookup;
  int Width;
};

class TFloydSteinbergEngine : public TDitherEngine {
 public:
  TFloydSteinbergEngine(int width, TColorLookup& lookup);
  int MapPixel(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override;
  void EndOfRow() override;

 private:
  struct TChannel {
    std::vector<int> Errors;  // Width + 2 cells; cell c + 1 belongs to column c
    int CarryRight = 0, CarryBelow = 0, CarryBelowPrev = 0;
  };
  int Spread(TChannel& channel, int value);
  void Settle(TChannel& channel, int value, int chosen);
  std::array<TChannel, 3> Channels;
  size_t Position = 0;  // the cell behind the pixel being mapped
};
