// Byte streams: the abstract TStream, a stream on a file, one in memory and one on a byte
// string. Positions and sizes are 64-bit byte counts.
#pragma once

#include <cstdint>
#include <string>

#include "platform/rtl/Types.h"

// Origins of TStream::Seek.
constexpr int soFromBeginning = 0;
constexpr int soFromCurrent = 1;
constexpr int soFromEnd = 2;

class TStream {
 public:
  virtual ~TStream() = default;

  // Transfer up to count bytes; the result is the number transferred (0 at the end).
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Moves the position to offset from origin and returns the new position. A position
  // before the start is refused: the result is -1 and the position stays.
  virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;

  // Like Read/Write, but a short transfer raises EReadError / EWriteError.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);

  std::int64_t Position();
  void SetPosition(std::int64_t position);
  virtual std::int64_t Size();
  // Truncates or extends the stream; the position moves back to the new end if it was past it.
  virtual void SetSize(std::int64_t size) = 0;

  // Copies count bytes from the source's position into this stream. A count of 0 or less
  // copies the whole source from its start. Returns the number of bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// Modes of TFileStream: one access mode, or fmCreate, combined with one share mode.
constexpr unsigned fmCreate = 0xFF00;  // create or truncate, then read and write
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

// A stream on an open file. File names are POSIX paths (see Paths.h for system literals).
//
// Share modes are honoured with advisory locks (flock), which is as far as Linux goes:
// fmShareExclusive takes an exclusive lock, every other mode a shared one, so an exclusive
// stream and any other stream on the same file exclude each other (also inside one
// process); fmShareDenyWrite and fmShareDenyRead cannot be told apart from
// fmShareDenyNone. Programs that take no locks are not held off.
//
// Failures raise EFCreateError ("Datei <name> kann nicht erstellt werden. <reason>") or
// EFOpenError ("Datei <name> kann nicht geöffnet werden. <reason>").
class TFileStream : public TStream {
 public:
  TFileStream(const String& fileName, unsigned mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, int origin) override;
  void SetSize(std::int64_t size) override;

  const String& FileName() const { return fileName_; }
  int Handle() const { return fd_; }

 private:
  String fileName_;
  int fd_ = -1;
};

// A stream on a growable block of memory. Writing past the end grows it; seeking past the
// end is allowed and a later write fills the gap with zero bytes.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, int origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t size) override;

  // The bytes; valid until the next call that changes the size.
  char* Memory() { return data_.data(); }
  const char* Memory() const { return data_.data(); }
  void Clear();

  // Replace the content with the whole of the stream / file; the position goes to 0.
  void LoadFromStream(TStream& source);
  void LoadFromFile(const String& fileName);
  // Write the whole content, whatever the position.
  void SaveToStream(TStream& target) const;
  void SaveToFile(const String& fileName) const;

 protected:
  explicit TMemoryStream(std::string data) : data_(std::move(data)) {}
  std::string data_;
  std::int64_t position_ = 0;
};

// A memory stream on a byte string (raw bytes: code-page text, UTF-8, anything).
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(std::string data = {}) : TMemoryStream(std::move(data)) {}
  const std::string& DataString() const { return data_; }
};
