// Drawing helpers of the viewer and the document: text fitting, device mapping under
// printer scaling, clipping, fills and the printed frames of form controls.
#pragma once

#include <memory>
#include <string_view>

#include "platform/gdi/Colors.h"
#include "platform/gdi/geometry/Geometry.h"
#include "platform/gdi/regions/Region.h"

class TCanvas;
class TDeviceContext;

// How many of the characters fit into maxExtent pixels; extent = the partial extent of the
// last fitting character (0 when none fits) and the text height. An empty text or
// maxExtent <= 0 gives 0 and an empty extent.
int MeasureFittingChars(const TDeviceContext& dc, std::u16string_view text, int maxExtent, TSize& extent);
int MeasureTextWidth(const TDeviceContext& dc, std::u16string_view text);
// Word-wrapped text in the rectangle, with the text alignment 0 and no background for the
// call. The text is document text, drawn as it is measured: "&" is a character like any
// other, not the prefix that underlines the next one.
void DrawWrappedText(TCanvas& canvas, int x1, int y1, int x2, int y2, std::u16string_view text);

// Sides times the scales, rounded to the nearest integer (halves to even).
void ScaleRect(const TRect& source, TRect& dest, double scaleX, double scaleY);
// Moved by minus the window origin; when printing also scaled by viewport / window extent.
void RectToDevice(TDeviceContext& dc, const TRect& rect, bool printing, TRect& deviceRect);
// savedRgn = the clip region (empty when none); the new clip region is the rectangle in
// device units, intersected with the saved one. The caller selects savedRgn back later
// (null clears clipping).
void ClipToRect(TDeviceContext& dc, const TRect& rect, bool printing, std::unique_ptr<TRegion>& newRgn,
                std::unique_ptr<TRegion>& savedRgn);

// A solid fill with the resolved colour; brush colour and style are kept.
void FillRectColor(TCanvas& canvas, int x1, int y1, int x2, int y2, TColor color);
// The printed frame of a form control.
void DrawControlBox3D(TCanvas& canvas, int x1, int y1, int x2, int y2, bool raised, bool monoCheck, bool disabled,
                      TColor color);
