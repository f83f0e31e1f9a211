// Code pages on Linux: ICU converters by the names ICU gives the Windows
// code pages.
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <cstdint>
#include <memory>

#include "platform/code_page.h"

namespace tvz::platform {

namespace {

std::string IcuName(unsigned code_page) {
  switch (code_page) {
    case 10000: return "macintosh";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10029: return "x-mac-centraleurroman";
    case 65001: return "UTF-8";
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    default: break;
  }
  if (code_page < 1000) {
    if (code_page == 874) return "windows-874";
    return "ibm-" + std::to_string(code_page);  // the OEM pages
  }
  return "windows-" + std::to_string(code_page);
}

struct Closer {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, Closer>;

Converter Open(unsigned code_page) {
  UErrorCode error = U_ZERO_ERROR;
  Converter c(ucnv_open(IcuName(code_page).c_str(), &error));
  if (U_FAILURE(error)) return nullptr;
  return c;
}

// Undefined bytes become U+FFFD; ICU's own substitute for single-byte pages
// would be U+001A, a control character.
void ToUnicodeReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                          UConverterCallbackReason reason, UErrorCode* error) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone
  static const UChar kReplacement = 0xFFFD;
  *error = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

// Every character the page lacks becomes the substitute '?': ICU's own
// callback would drop the default-ignorable ones (U+FEFF, U+200B...) instead.
void FromUnicodeSubstitute(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                           UChar32, UConverterCallbackReason reason, UErrorCode* error) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone
  *error = U_ZERO_ERROR;
  ucnv_cbFromUWriteSub(args, 0, error);
}

}  // namespace

std::optional<std::u16string> DecodeCodePage(std::string_view bytes, unsigned code_page) {
  Converter c = Open(code_page);
  if (!c) return std::nullopt;
  UErrorCode error = U_ZERO_ERROR;
  // The Unicode forms have no undefined bytes, only broken ones: they stop
  // the conversion.
  const bool unicode = code_page == 65001 || code_page == 1200 || code_page == 1201;
  ucnv_setToUCallBack(c.get(), unicode ? UCNV_TO_U_CALLBACK_STOP : ToUnicodeReplacement, nullptr,
                      nullptr, nullptr, &error);
  if (U_FAILURE(error) || bytes.size() > INT32_MAX / 2 - 1) return std::nullopt;
  // At most one UTF-16 unit per byte, plus one for a surrogate pair.
  std::u16string out(bytes.size() * 2 + 1, u'\0');
  const auto n = ucnv_toUChars(c.get(), reinterpret_cast<UChar*>(out.data()),
                               static_cast<int32_t>(out.size()), bytes.data(),
                               static_cast<int32_t>(bytes.size()), &error);
  if (U_FAILURE(error)) return std::nullopt;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::optional<std::string> EncodeCodePage(std::u16string_view text, unsigned code_page) {
  Converter c = Open(code_page);
  if (!c) return std::nullopt;
  UErrorCode error = U_ZERO_ERROR;
  ucnv_setSubstChars(c.get(), "?", 1, &error);
  ucnv_setFallback(c.get(), false);
  ucnv_setFromUCallBack(c.get(), FromUnicodeSubstitute, nullptr, nullptr, nullptr, &error);
  if (U_FAILURE(error)) return std::nullopt;
  std::string out(text.size() * 4 + 1, '\0');
  const auto n = ucnv_fromUChars(c.get(), out.data(), static_cast<int32_t>(out.size()),
                                 reinterpret_cast<const UChar*>(text.data()),
                                 static_cast<int32_t>(text.size()), &error);
  if (U_FAILURE(error)) return std::nullopt;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace tvz::platform
