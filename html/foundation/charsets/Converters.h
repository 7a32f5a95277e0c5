// The converter classes of the input buffer, one per family of encodings. The registry
// (ConverterRegistry.h) names the class of each code page; each class picks its tables
// from CodePage when it is made and whenever it takes over another converter's state.
#pragma once

#include <array>

#include "html/foundation/charsets/BuffConverter.h"

#define WENDREL_BUFF_CONVERTER_CLASS(Name, Base)                                                              \
 public:                                                                                                \
  using Base::Base;                                                                                     \
  static std::unique_ptr<TBuffConverter> Create(const uint8_t* readPtr, const uint8_t* endPtr, int codePage, \
                                                int physicalCodePage) {                                 \
    return Make<Name>(readPtr, endPtr, codePage, physicalCodePage);                                     \
  }                                                                                                     \
  TBuffConverterClass ClassType() const override { return &Name::Create; }

// Converters without a shift state decode whole blocks (DecodeBlock); the ISO-2022 and
// UTF-7 converters keep the base's one character a call.

// Common parent of the table-driven decoders.
class TBuffBaseConverter : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffBaseConverter, TBuffConverter)
};

// Single-byte code pages: the built-in rules of a few ISO and IBM pages, every other code
// page through the platform's own conversion (PlatformCodePages.h).
class TBuffConvSingleByte : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvSingleByte, TBuffBaseConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;

 protected:
  void AfterConstruction() override { ChooseDecoder(); }

 private:
  void ChooseDecoder();
  // The decoder chosen for CodePage, as the character of every byte value.
  const std::array<Char, 256>* byteDecoder_ = nullptr;
};

// The characters of the 256 bytes of a code page as TBuffConvSingleByte decodes it.
const std::array<Char, 256>& SingleByteMapOf(int codePage);

// EUC-CN (51936) and EUC-KR (51949): GB 2312 or KS C 5601 in the upper half.
class TBuffConvDoubleByte : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvDoubleByte, TBuffBaseConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;

 protected:
  void AfterConstruction() override { ChooseDecoder(); }

 private:
  void ChooseDecoder();
  Char (*pairDecoder_)(int row, int column) = nullptr;
};

// A full 256-entry map (code page 29001).
class TBuffConvSingleByteMap : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvSingleByteMap, TBuffConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;

 protected:
  void AfterConstruction() override { LoadMap(); }

 private:
  void LoadMap();
  const std::array<Char, 256>* fullMap_ = nullptr;
};

// Bytes 80..FF through a map: OEM and Mac code pages and KOI8-R.
class TBuffConvHighMap : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvHighMap, TBuffConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;

 protected:
  void AfterConstruction() override { LoadMap(); }

 private:
  void LoadMap();
  std::array<Char, 128> highMap_{};
};

// Bytes A0..FF through a map: ISO 8859 parts.
class TBuffConvIsoMap : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvIsoMap, TBuffConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;

 protected:
  void AfterConstruction() override { LoadMap(); }

 private:
  void LoadMap();
  std::array<Char, 96> isoMap_{};
};

class TBuffConvShiftJis932 : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvShiftJis932, TBuffConverter)
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;
};

class TBuffConvIBM936 : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvIBM936, TBuffBaseConverter)
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;
};

class TBuffConvHangeul949 : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvHangeul949, TBuffBaseConverter)
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;
};

class TBuffConvBig5CP950 : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvBig5CP950, TBuffConverter)
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;
};

class TBuffConvGB18030 : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvGB18030, TBuffBaseConverter)
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;
};

class TBuffConvEUC_JP : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvEUC_JP, TBuffBaseConverter)
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;
};

class TBuffConvISO2022CN : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvISO2022CN, TBuffBaseConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;

  uint8_t ShiftedOut = 0;      // 0 SI, 1 SO
  uint8_t SODesignation = 0;   // 0 none, 1 GB 2312, 2 CNS 11643 plane 1
  uint8_t SS2Designation = 0;  // 0 none, 1 CNS 11643 plane 2
};

class TBuffConvISO2022JP : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvISO2022JP, TBuffBaseConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;

  // 0 ASCII, 1 JIS X 0201 Roman, 2 JIS X 0208, 3 JIS X 0212, 4 GB 2312, 5 KS C 5601,
  // 6 upper half of ISO 8859-1, 7 ISO 8859-7.
  uint8_t CurrentSet = 0;

 private:
  bool ReadEscape();
};

class TBuffConvISO2022KR : public TBuffBaseConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvISO2022KR, TBuffBaseConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;

  uint8_t ShiftedOut = 0;
  uint8_t SODesignation = 0;  // 0 none, 1 KS C 5601
};

class TBuffConvUTF7 : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvUTF7, TBuffConverter)
  void CopyState(const TBuffConverter& source) override;
  Char NextChar() override;

  // Bit 0: inside a base64 run; bits 1..5: the number of bits carried over; bits 8..23:
  // those bits.
  uint32_t Utf7State = 0;
};

class TBuffConvUTF8 : public TBuffConverter {
  WENDREL_BUFF_CONVERTER_CLASS(TBuffConvUTF8, TBuffConverter)
  Char NextChar() override;
  int DecodeBlock(Char* chars, int32_t* ends, int capacity, const uint8_t* base) override;
};
