#include "html/foundation/gif/GifErrors.h"

#include "platform/rtl/Unicode.h"

namespace {

const char* const kTexts[] = {
    "no error",
    "Invalid GIF Signature Code",
    "No Local or Global Color Table for Image",
    "Unknown Graphics Extension Type",
    "Unknown Graphics Operation Code",
    "Invalid Extension Block Size",
    "[special message]",
    "Invalid Extension Block Terminator",
    "Invalid Integer Size",
    "No GIF Terminator Found",
    "Extension Block Out-Of-Order With Image Data",
    "Invalid Image Descriptor Index",
    "Invalid LZW Code Size",
    "Invalid LZW Data Format",
    "LZW Code Overflow",
    "Value Out Of Range",
    "NIL Pointer assigned",
    "Invalid Color Table Size",
    "No Image Description",
    "Invalid Bitmap Image",
    "Invalid Color Table Index",
    "Invalid Interlace Pass",
    "Invalid Bitmap",
    "Too Many Colors In Bitmap",
    "Unexpected end of file",
    "Animated GIF too large",
    "Zero width or height",
    "next message",
};

}  // namespace

const char* GifErrorText(int error) {
  if (error < 0 || error >= static_cast<int>(std::size(kTexts))) return "";
  return kTexts[error];
}

void RaiseGifError(TGifError error, const std::string& special) {
  std::string text = error == gifUnknownExtension ? special : GifErrorText(error);
  throw EInvalidGraphicOperation(Utf8ToString("TGif: " + text));
}
