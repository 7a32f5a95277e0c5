#include "html/foundation/images/DitherEngines.h"

#include <algorithm>

int TDitherEngine::MapPixel(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
  int index = Lookup.NearestColor(red, green, blue, outRed, outGreen, outBlue);
  Column += Direction;
  return index;
}

void TDitherEngine::EndOfRow() {
  Direction = -Direction;
  Column = Direction == 1 ? 0 : Width - 1;
}

TFloydSteinbergEngine::TFloydSteinbergEngine(int width, TColorLookup& lookup) : TDitherEngine(width, lookup) {
  for (TChannel& c : Channels) c.Errors.assign(static_cast<size_t>(width) + 2, 0);
}

// The value with the error from above (the cell ahead) and from the left added.
int TFloydSteinbergEngine::Spread(TChannel& c, int value) {
  int ahead = c.Errors[static_cast<size_t>(static_cast<int>(Position) + Direction)];
  return std::clamp(value + (ahead + c.CarryRight + 8) / 16, 0, 255);
}

// 7/16 of the error to the right, 3/16 below behind, 5/16 below, 1/16 below ahead.
void TFloydSteinbergEngine::Settle(TChannel& c, int value, int chosen) {
  int e = value - chosen;
  c.Errors[Position] = c.CarryBelowPrev + 3 * e;
  c.CarryBelowPrev = c.CarryBelow + 5 * e;
  c.CarryBelow = e;
  c.CarryRight = 7 * e;
}

int TFloydSteinbergEngine::MapPixel(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
  int r = Spread(Channels[0], red), g = Spread(Channels[1], green), b = Spread(Channels[2], blue);
  int index = TDitherEngine::MapPixel(r, g, b, outRed, outGreen, outBlue);
  Settle(Channels[0], r, outRed);
  Settle(Channels[1], g, outGreen);
  Settle(Channels[2], b, outBlue);
  Position = static_cast<size_t>(static_cast<int>(Position) + Direction);
  return index;
}

void TFloydSteinbergEngine::EndOfRow() {
  for (TChannel& c : Channels) {
    c.Errors[Position] = c.CarryBelowPrev;
    c.CarryRight = c.CarryBelow = c.CarryBelowPrev = 0;
  }
  TDitherEngine::EndOfRow();
  Position = Direction == 1 ? 0 : static_cast<size_t>(Width) + 1;
}
