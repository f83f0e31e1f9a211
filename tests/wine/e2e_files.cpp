#include "e2e_files.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "e2e_host.h"

namespace tvz::e2e {

const char kSeededIni[] =
    "[Otros]\r\nClave=Valor\r\n\r\n[Transformadores]\r\nTransformado=7\r\nOtra=abc\r\n";

const char* const kExportTables[6] = {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT",
                                      "DIASHORAST"};

std::wstring WindowsPath(const std::string& path) {
  std::wstring out = WideFrom(path);
  std::replace(out.begin(), out.end(), L'/', L'\\');
  if (!path.empty() && path[0] == '/') out = L"Z:" + out;
  return out;
}

std::optional<std::string> ReadBytes(const std::wstring& file) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(h);
  return bytes;
}

bool WriteBytes(const std::wstring& file, const std::string& bytes) {
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
  return ok && n == bytes.size();
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

bool CopyFolder(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    ok = ok && CopyFileW((from + L"\\" + found.cFileName).c_str(),
                         (to + L"\\" + found.cFileName).c_str(), FALSE);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return ok;
}

std::optional<std::string> IniValue(const std::wstring& file, const char* section, const char* key) {
  wchar_t value[256];
  GetPrivateProfileStringW(WideFrom(section).c_str(), WideFrom(key).c_str(), L"\x01", value, 256,
                           file.c_str());
  if (value[0] == L'\x01') return std::nullopt;
  return Narrow(value);
}

std::string MarkerOf(const std::string& table) { return "not a table: " + table + "\r\n"; }

std::wstring TablePath(const std::string& table) {
  return std::wstring(kWorkingFolder) + L"\\" + WideFrom(table) + L".DBF";
}

void SeedWorkingFolder(const std::vector<std::string>& tables) {
  RemoveTree(kWorkingFolder);
  CreateDirectoryW(kWorkingFolder, nullptr);
  for (const std::string& table : tables) WriteBytes(TablePath(table), MarkerOf(table));
}

std::optional<unsigned> DbfRecordCount(const std::wstring& file) {
  const std::optional<std::string> bytes = ReadBytes(file);
  if (!bytes || bytes->size() < 33) return std::nullopt;
  auto u8 = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>((*bytes)[i])); };
  const unsigned records = u8(4) | u8(5) << 8 | u8(6) << 16 | u8(7) << 24;
  const unsigned header = u8(8) | u8(9) << 8;
  const unsigned record = u8(10) | u8(11) << 8;
  if (header < 33 || header > bytes->size() || u8(header - 1) != 0x0D || record == 0)
    return std::nullopt;
  const std::size_t data = static_cast<std::size_t>(header) + std::size_t{records} * record;
  // The end-of-file mark after the records is optional.
  if (bytes->size() != data && !(bytes->size() == data + 1 && u8(data) == 0x1A)) return std::nullopt;
  return records;
}

std::string DbfTableBytes(const std::vector<DbfField>& fields,
                          const std::vector<std::vector<std::string>>& rows) {
  auto put16 = [](std::string& s, unsigned v) { s += char(v & 0xFF); s += char(v >> 8 & 0xFF); };
  auto put32 = [&](std::string& s, unsigned v) { put16(s, v & 0xFFFF); put16(s, v >> 16); };
  unsigned record_size = 1;
  for (const DbfField& f : fields) record_size += static_cast<unsigned>(f.length);
  std::string out;
  out += char(0x03);
  out += char(124);  // 2024-01-01
  out += char(1);
  out += char(1);
  put32(out, static_cast<unsigned>(rows.size()));
  put16(out, static_cast<unsigned>(32 + 32 * fields.size() + 1));
  put16(out, record_size);
  out.append(20, '\0');
  for (const DbfField& f : fields) {
    std::string d(32, '\0');
    std::memcpy(d.data(), f.name, std::strlen(f.name));
    d[11] = f.type;
    d[16] = static_cast<char>(f.length);
    out += d;
  }
  out += char(0x0D);
  for (const auto& row : rows) {
    out += ' ';
    for (std::size_t i = 0; i < fields.size(); ++i) {
      std::string v = row[i].substr(0, static_cast<std::size_t>(fields[i].length));
      const std::string pad(static_cast<std::size_t>(fields[i].length) - v.size(), ' ');
      out += fields[i].type == 'N' ? pad + v : v + pad;  // numbers right-aligned
    }
  }
  out += char(0x1A);
  return out;
}

}  // namespace tvz::e2e
