// Folder locks on Windows: a named mutex for the folder's full path, letter
// case folded. The mutex exists while a holder keeps it open; whoever finds
// it already there is the second.
#include <windows.h>

#include <cstdint>
#include <cwctype>
#include <string>
#include <system_error>

#include "platform/folder_lock.h"

namespace tvz::platform {

namespace {

// "Local\transVardelZarp-folder-<hash>": a hash, since a path can be longer
// than a mutex name may be.
std::wstring MutexName(const fs::path& folder) {
  std::error_code ec;
  fs::path full = fs::weakly_canonical(fs::absolute(folder, ec), ec);
  if (ec) full = fs::absolute(folder, ec).lexically_normal();
  std::wstring text = full.wstring();
  while (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/')) text.pop_back();
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (wchar_t ch : text) {
    if (ch == L'/') ch = L'\\';
    ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
    hash = (hash ^ static_cast<std::uint16_t>(ch)) * 1099511628211ull;
  }
  static const wchar_t digits[] = L"0123456789abcdef";
  std::wstring name = L"Local\\transVardelZarp-folder-";
  for (int i = 60; i >= 0; i -= 4) name += digits[(hash >> i) & 15];
  return name;
}

}  // namespace

FolderLock::Result FolderLock::Acquire(const fs::path& folder) {
  Release();
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return Result::kUnavailable;
  HANDLE h = CreateMutexW(nullptr, FALSE, MutexName(folder).c_str());
  if (h == nullptr) return Result::kUnavailable;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    return Result::kBusy;
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return Result::kHeld;
}

void FolderLock::Release() {
  if (handle_ != kNoHandle) CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNoHandle;
}

}  // namespace tvz::platform
