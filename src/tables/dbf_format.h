#pragma once
// The dBase table file, written down once for the reader and the writer.
//
//   main header    32 bytes (level 7: 68 bytes, with the language driver's
//                  name at 32..63)
//   descriptors    32 bytes per field (level 7: 48 bytes), then 0x0D
//   (padding)      Visual FoxPro: 263-byte backlink; level 7: a properties
//                  block; some writers: one 0x00
//   records        from the header length on (bytes 8..9), never from the
//                  byte after 0x0D; each record is one flag byte (' ' live,
//                  '*' deleted) and the fields in descriptor order, at
//                  offsets found by adding up the field lengths
//   0x1A           end of file marker (optional when reading)
//
// Numbers in the headers are little-endian; level-7 I, + and O and the
// level-7 timestamp are big-endian with their sign bit flipped.
// What this program writes: the main header and 32-byte descriptors with
// version 0x03, language driver 0x57 (cp1252) and no index flag.
//
// Values are encoded and decoded byte by byte here; a packed struct is never
// laid over file bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tvz::dbf {

// Version byte (offset 0).
inline constexpr std::uint8_t kVersionDbase2 = 0x02;           // rejected
inline constexpr std::uint8_t kVersionDbase3 = 0x03;           // what we write
inline constexpr std::uint8_t kVersionDbase3Memo = 0x83;
inline constexpr std::uint8_t kVersionDbase4Memo = 0x8B;
inline constexpr std::uint8_t kVersionDbase4Sql = 0x43;
inline constexpr std::uint8_t kVersionDbase4SqlSystem = 0x63;
inline constexpr std::uint8_t kVersionDbase4SqlMemo = 0xCB;
inline constexpr std::uint8_t kVersionDbase4WithSql = 0x8E;
inline constexpr std::uint8_t kVersionDbase4MemoAlt = 0x7B;
inline constexpr std::uint8_t kVersionFoxPro2Memo = 0xF5;
inline constexpr std::uint8_t kVersionFoxBase = 0xFB;
inline constexpr std::uint8_t kVersionVisualFoxPro = 0x30;
inline constexpr std::uint8_t kVersionVisualFoxProAutoInc = 0x31;
inline constexpr std::uint8_t kVersionVisualFoxProVarchar = 0x32;
inline constexpr std::uint8_t kVersionLevel7 = 0x04;
inline constexpr std::uint8_t kVersionLevel7Memo = 0x8C;

// Main header.
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kOffVersion = 0;
inline constexpr std::size_t kOffUpdateYear = 1;    // year - 1900
inline constexpr std::size_t kOffUpdateMonth = 2;
inline constexpr std::size_t kOffUpdateDay = 3;
inline constexpr std::size_t kOffRecordCount = 4;   // uint32
inline constexpr std::size_t kOffHeaderLength = 8;  // uint16, first record
inline constexpr std::size_t kOffRecordLength = 10; // uint16, with the flag
inline constexpr std::size_t kOffIndexFlag = 28;    // 0x01: production .MDX
inline constexpr std::size_t kOffLanguageDriver = 29;

// Level 7 main header.
inline constexpr std::size_t kLevel7HeaderSize = 68;
inline constexpr std::size_t kOffLevel7DriverName = 32;
inline constexpr std::size_t kLevel7DriverNameSize = 32;

// Field descriptor, dBase III/IV/V and FoxPro.
inline constexpr std::size_t kFieldSize = 32;
inline constexpr std::size_t kFieldOffName = 0;
inline constexpr std::size_t kFieldNameSize = 11;   // 10 characters + NUL
inline constexpr std::size_t kFieldOffType = 11;
inline constexpr std::size_t kFieldOffLength = 16;
inline constexpr std::size_t kFieldOffDecimals = 17;  // FoxPro C: length high byte
inline constexpr std::size_t kFieldOffVfpFlags = 18;
inline constexpr std::uint8_t kVfpFlagHidden = 0x01;
inline constexpr std::uint8_t kVfpFlagNullable = 0x02;

// Field descriptor, level 7.
inline constexpr std::size_t kLevel7FieldSize = 48;
inline constexpr std::size_t kLevel7FieldOffName = 0;
inline constexpr std::size_t kLevel7FieldNameSize = 32;
inline constexpr std::size_t kLevel7FieldOffType = 32;
inline constexpr std::size_t kLevel7FieldOffLength = 33;
inline constexpr std::size_t kLevel7FieldOffDecimals = 34;

// Field type letters (descriptor byte 11; level 7: byte 32).
inline constexpr char kTypeCharacter = 'C';
inline constexpr char kTypeVarchar = 'V';       // Visual FoxPro
inline constexpr char kTypeNumeric = 'N';
inline constexpr char kTypeFloat = 'F';         // decimal text, like N
inline constexpr char kTypeLogical = 'L';
inline constexpr char kTypeDate = 'D';          // yyyymmdd
inline constexpr char kTypeMemo = 'M';
inline constexpr char kTypeGeneral = 'G';
inline constexpr char kTypePicture = 'P';
inline constexpr char kTypeVarbinary = 'Q';     // Visual FoxPro
inline constexpr char kTypeInteger = 'I';
inline constexpr char kTypeAutoIncrement = '+'; // level 7
inline constexpr char kTypeDouble = 'O';        // level 7
inline constexpr char kTypeBinary = 'B';        // Visual FoxPro: double; dBase: memo
inline constexpr char kTypeCurrency = 'Y';      // Visual FoxPro
inline constexpr char kTypeDateTime = 'T';      // Visual FoxPro
inline constexpr char kTypeTimestamp = '@';     // level 7
inline constexpr char kTypeNullFlags = '0';     // Visual FoxPro _NullFlags

// After the descriptors.
inline constexpr char kHeaderTerminator = 0x0D;
inline constexpr std::size_t kVfpBacklinkSize = 263;

// Records.
inline constexpr char kRecordLive = ' ';
inline constexpr char kRecordDeleted = '*';
inline constexpr char kEndOfFile = 0x1A;

// Language driver ids (byte 29).
inline constexpr std::uint8_t kLanguageDriverAnsi = 0x57;  // DBWINUS0, cp1252

// What this program writes.
inline constexpr int kMaxWrittenNameLength = 10;
inline constexpr int kMaxWrittenCharLength = 254;
inline constexpr int kIntegerWidth = 11;  // N(11,0)
inline constexpr int kFloatWidth = 20;    // N(20,4)
inline constexpr int kFloatDecimals = 4;
inline constexpr std::size_t kMaxHeaderOrRecordLength = 0xFFFF;

// Byte-by-byte encoders; `p` points at the first byte to write.
inline void PutU16LE(char* p, std::uint16_t v) {
  p[0] = static_cast<char>(v & 0xFF);
  p[1] = static_cast<char>(v >> 8);
}
inline void PutU32LE(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Decoders over bytes the caller has checked to be there.
inline std::uint8_t GetU8(const char* p) { return static_cast<std::uint8_t>(*p); }
inline std::uint16_t GetU16LE(const char* p) {
  return static_cast<std::uint16_t>(GetU8(p) | GetU8(p + 1) << 8);
}
inline std::uint32_t GetU32LE(const char* p) {
  return static_cast<std::uint32_t>(GetU8(p)) | static_cast<std::uint32_t>(GetU8(p + 1)) << 8 |
         static_cast<std::uint32_t>(GetU8(p + 2)) << 16 |
         static_cast<std::uint32_t>(GetU8(p + 3)) << 24;
}
inline std::uint32_t GetU32BE(const char* p) {
  return static_cast<std::uint32_t>(GetU8(p)) << 24 | static_cast<std::uint32_t>(GetU8(p + 1)) << 16 |
         static_cast<std::uint32_t>(GetU8(p + 2)) << 8 | static_cast<std::uint32_t>(GetU8(p + 3));
}
inline std::uint64_t GetU64LE(const char* p) {
  return static_cast<std::uint64_t>(GetU32LE(p)) |
         static_cast<std::uint64_t>(GetU32LE(p + 4)) << 32;
}
inline std::uint64_t GetU64BE(const char* p) {
  return static_cast<std::uint64_t>(GetU32BE(p)) << 32 | GetU32BE(p + 4);
}
inline double DoubleFromBits(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// A read position over a byte string that never reads past its end: a read
// that would overrun returns zeros (or an empty view) and marks the cursor
// failed, which stays so; the caller checks ok() once after a run of reads.
class ReadCursor {
public:
  explicit ReadCursor(std::string_view data, std::size_t pos = 0) : data_(data), pos_(pos) {}

  bool ok() const { return ok_; }
  std::size_t pos() const { return pos_; }
  std::size_t remaining() const { return pos_ <= data_.size() ? data_.size() - pos_ : 0; }
  bool Has(std::size_t n) const { return ok_ && n <= remaining(); }

  void Seek(std::size_t pos) {
    if (pos > data_.size()) ok_ = false;
    pos_ = pos;
  }
  void Skip(std::size_t n) { Seek(pos_ + n); }
  // The next byte without moving; 0 (and failed) at the end.
  std::uint8_t Peek() {
    if (!Has(1)) return Fail<std::uint8_t>();
    return GetU8(data_.data() + pos_);
  }
  std::uint8_t U8() { return Take<std::uint8_t>(1, GetU8); }
  std::uint16_t U16LE() { return Take<std::uint16_t>(2, GetU16LE); }
  std::uint32_t U32LE() { return Take<std::uint32_t>(4, GetU32LE); }
  std::string_view Bytes(std::size_t n) {
    if (!Has(n)) return Fail<std::string_view>();
    std::string_view v = data_.substr(pos_, n);
    pos_ += n;
    return v;
  }

private:
  template <class T>
  T Fail() {
    ok_ = false;
    return T{};
  }
  template <class T, class F>
  T Take(std::size_t n, F get) {
    if (!Has(n)) return Fail<T>();
    T v = get(data_.data() + pos_);
    pos_ += n;
    return v;
  }

  std::string_view data_;
  std::size_t pos_;
  bool ok_ = true;
};

}  // namespace tvz::dbf
