// Sinks for the characters of a selection: one counts them, one copies them into a
// caller's buffer. Character 2 and 4 stand for hidden controls and for images or controls
// in section text and are left out; the copying sink also leaves out character 8.
#pragma once

#include "platform/rtl/Types.h"

class SelTextCount {
 public:
  virtual ~SelTextCount() = default;
  virtual void AddChars(const Char* p, int n);
  virtual int Finish() { return SelCount; }
  void AddCharsLine(const Char* p, int n);

  Char* Buffer = nullptr;
  int BufferLength = 0;
  int SelCount = 0;
};

class SelTextBuf : public SelTextCount {
 public:
  SelTextBuf(Char* buffer, int bufferLength) {
    Buffer = buffer;
    BufferLength = bufferLength;
  }
  // Copies while there is room for the text and its closing 0.
  void AddChars(const Char* p, int n) override;
  // Writes the closing 0 (when the buffer has any room) and answers the count plus 1.
  int Finish() override;
};
