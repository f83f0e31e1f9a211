#pragma once
// What a ZARP file is written in, and its text as the record grammar reads
// it: cp1252 bytes. Files that someone opened and saved again in an editor
// or a spreadsheet often come back in a Unicode form; each file is
// classified before any line of it is read:
//  * a UTF-8 byte-order mark, or non-ASCII bytes that are well-formed UTF-8
//    throughout: UTF-8;
//  * a UTF-16 byte-order mark, little- or big-endian: UTF-16;
//  * anything else: cp1252, read byte for byte as it is.
// A Unicode file is turned into cp1252 by the system's converters
// (platform/code_page.h), without its byte-order mark; a character cp1252
// lacks becomes '?' and is counted.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tvz {

enum class TextEncoding { kCp1252, kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be };

// As the report names it: "UTF-8", "UTF-8 con BOM", "UTF-16LE", "UTF-16BE"
// ("cp1252" for the files read as they are).
const char* EncodingName(TextEncoding encoding);

// Classifies bytes given in pieces, in file order, so that a reader can scan
// a file chunk by chunk before it reads it. It also tells whether the bytes
// hold a LF and a CR, for a cp1252 file's line ends (a Unicode file is read
// whole, and its line ends are those of its decoded text), and a tab.
class EncodingScan {
public:
  void Add(std::string_view bytes);
  // True once more bytes cannot change the answers (a byte-order mark; a
  // non-ASCII byte that is no UTF-8 and a LF): the scan may stop there.
  bool Settled() const;
  // The encoding of the bytes added so far, taken as the whole file.
  TextEncoding Encoding() const;
  bool HasLf() const { return lf_; }
  bool HasCr() const { return cr_; }
  bool HasTab() const { return tab_; }

private:
  void AddUtf8(std::string_view bytes);
  std::array<unsigned char, 3> head_{};  // the first bytes, for a byte-order mark
  std::size_t head_size_ = 0;
  std::string cut_;  // the start of a UTF-8 sequence a piece ended inside
  bool non_ascii_ = false;
  bool broken_ = false;  // a non-ASCII byte that is not well-formed UTF-8
  bool lf_ = false;
  bool cr_ = false;
  bool tab_ = false;
};

// Classifies bytes held whole.
TextEncoding ClassifyText(std::string_view bytes);

struct DecodedText {
  std::string text;  // cp1252
  // Where in `text` a character cp1252 lacks was put as '?', ascending.
  std::vector<std::size_t> replaced;
};

// A Unicode file's bytes (byte-order mark included) as cp1252. REQUIRES:
// `encoding` is not kCp1252. Bytes that break their own encoding (a UTF-16
// file with an odd number of bytes or an unpaired surrogate, UTF-8 that is
// not well-formed) are a RunError that names `file_text` (and the line).
DecodedText DecodeText(std::string_view bytes, TextEncoding encoding, std::string_view file_text);

// The byte-order mark's length for `encoding` (0 for cp1252 and UTF-8
// without one).
std::size_t ByteOrderMarkSize(TextEncoding encoding);

}  // namespace tvz
