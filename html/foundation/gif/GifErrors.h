// The numbered failures of the GIF decoder and the exception that carries them.
#pragma once

#include <string>

#include "platform/gdi/bitmaps/GraphicErrors.h"

enum TGifError {
  gifNoError = 0,
  gifInvalidSignature = 1,
  gifNoColorTable = 2,
  gifUnknownExtensionType = 3,
  gifUnknownOperationCode = 4,
  gifInvalidExtensionSize = 5,
  gifUnknownExtension = 6,
  gifInvalidTerminator = 7,
  gifInvalidIntegerSize = 8,
  gifNoTerminator = 9,
  gifExtensionOutOfOrder = 10,
  gifInvalidDescriptorIndex = 11,
  gifInvalidCodeSize = 12,
  gifInvalidLzwData = 13,
  gifLzwOverflow = 14,
  gifValueOutOfRange = 15,
  gifNilPointer = 16,
  gifInvalidTableSize = 17,
  gifNoImage = 18,
  gifInvalidBitmapImage = 19,
  gifInvalidColorIndex = 20,
  gifInvalidInterlacePass = 21,
  gifInvalidBitmap = 22,
  gifTooManyColors = 23,
  gifUnexpectedEof = 24,
  gifTooLarge = 25,
  gifZeroSize = 26,
  gifNextMessage = 27,
};

// The text of an error number ("no error" for 0, ...); "" outside 0..27.
const char* GifErrorText(int error);

// Raises EInvalidGraphicOperation with "TGif: " and the error's text (or `special` for
// error 6, whose text is made by the caller).
[[noreturn]] void RaiseGifError(TGifError error, const std::string& special = {});
