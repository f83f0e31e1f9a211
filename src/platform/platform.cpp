#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tvz::platform {

namespace {

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// The entry of `folder` whose name equals `name` without regard to ASCII
// case; the exact spelling first, then the first match in name order.
std::optional<fs::path> FindEntryNoCase(const fs::path& folder, std::string_view name,
                                        bool regular_only) {
  fs::path exact = folder / fs::path(std::string(name));
  std::error_code ec;
  if (regular_only ? IsRegularFile(exact) : fs::exists(exact, ec)) return exact;
#ifdef _WIN32
  return std::nullopt;  // names already ignore case
#else
  std::vector<fs::path> matches;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (!EqualsNoCaseAscii(entry, name)) continue;
    if (regular_only && !IsRegularFile(it->path())) continue;
    matches.push_back(it->path());
  }
  if (matches.empty()) return std::nullopt;
  std::sort(matches.begin(), matches.end());
  return matches.front();
#endif
}

}  // namespace

std::optional<fs::path> FindFile(const fs::path& folder, std::string_view name) {
  return FindEntryNoCase(folder, name, true);
}

fs::path PathForWriting(const fs::path& folder, std::string_view name) {
  if (auto existing = FindEntryNoCase(folder, name, true)) return *existing;
  return folder / fs::path(std::string(name));
}

bool DirectoryExists(const fs::path& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_directory(dir, ec);
}

void RemoveIfExists(const fs::path& file) {
  std::error_code ec;
  fs::remove(file, ec);
}

fs::path DefaultWorkingFolder() {
#ifdef _WIN32
  return fs::path("C:\\VTEMP");
#else
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
    return fs::path(prefix) / "drive_c" / "VTEMP";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".wine" / "drive_c" / "VTEMP";
#endif
}

LocalTime Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// ---------------------------------------------------------------- errors

int LastErrorCode() {
#ifdef _WIN32
  return static_cast<int>(GetLastError());
#else
  return errno;
#endif
}

std::string SystemErrorText(int native_code) {
#ifdef _WIN32
  char buffer[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           static_cast<DWORD>(native_code), 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) text = "Error " + std::to_string(native_code);
  return text;
#else
  return std::strerror(native_code);
#endif
}

int IoCodeFromNative(int native_code) {
#ifdef _WIN32
  // Win32 error numbers are the numbers the I/O messages use.
  if (native_code == ERROR_PATH_NOT_FOUND) return 3;
  if (native_code == ERROR_HANDLE_DISK_FULL || native_code == ERROR_DISK_FULL) return 101;
  return native_code;
#else
  switch (native_code) {
    case ENOENT: return 2;
    case ENAMETOOLONG: case ENOTDIR: return 3;
    case EMFILE: case ENFILE: return 4;
    case EACCES: case EPERM: case EISDIR: case EROFS: return 5;
    case ENOSPC: case EDQUOT: return 101;
    case EBUSY: case EWOULDBLOCK: return 32;
    default: return native_code;
  }
#endif
}

// ---------------------------------------------------------------- files

OpenFile::OpenFile(OpenFile&& other) noexcept { *this = std::move(other); }

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
  if (this != &other) {
    Close();
#ifdef _WIN32
    handle_ = other.handle_;
    other.handle_ = nullptr;
#else
    fd_ = other.fd_;
    other.fd_ = -1;
#endif
  }
  return *this;
}

OpenFile::~OpenFile() { Close(); }

#ifdef _WIN32

OpenFile::Result OpenFile::Open(const fs::path& file, bool exclusive, bool read_only,
                                int& native_error) {
  Close();
  DWORD access = GENERIC_READ | (read_only ? 0 : GENERIC_WRITE);
  // Readers let others read but not write, as the ZARP files were always read;
  // writers share both ways; exclusive users share nothing.
  DWORD share = exclusive ? 0 : (read_only ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE);
  HANDLE h = CreateFileW(file.wstring().c_str(), access, share, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE && !read_only && GetLastError() == ERROR_ACCESS_DENIED) {
    // A read-only file is opened for reading only.
    h = CreateFileW(file.wstring().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (h == INVALID_HANDLE_VALUE) {
    native_error = static_cast<int>(GetLastError());
    return native_error == ERROR_SHARING_VIOLATION || native_error == ERROR_LOCK_VIOLATION
               ? Result::InUse
               : Result::Failed;
  }
  handle_ = h;
  return Result::Ok;
}

std::int64_t OpenFile::Read(char* out, std::int64_t size, int& native_error) {
  DWORD got = 0;
  DWORD want = static_cast<DWORD>(std::min<std::int64_t>(size, 1 << 30));
  if (!ReadFile(static_cast<HANDLE>(handle_), out, want, &got, nullptr)) {
    native_error = static_cast<int>(GetLastError());
    return -1;
  }
  return got;
}

void OpenFile::Close() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

bool OpenFile::IsOpen() const { return handle_ != nullptr; }

bool OpenFile::Rewind(std::int64_t& size, int& native_error) {
  LARGE_INTEGER zero{}, length{};
  if (!SetFilePointerEx(static_cast<HANDLE>(handle_), zero, nullptr, FILE_BEGIN)) {
    native_error = static_cast<int>(GetLastError());
    return false;
  }
  size = GetFileSizeEx(static_cast<HANDLE>(handle_), &length) ? length.QuadPart : 0;
  return true;
}

#else

OpenFile::Result OpenFile::Open(const fs::path& file, bool exclusive, bool read_only,
                                int& native_error) {
  Close();
  int fd = ::open(file.c_str(), (read_only ? O_RDONLY : O_RDWR) | O_CLOEXEC);
  if (fd < 0 && !read_only && (errno == EACCES || errno == EROFS))
    fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);  // a read-only file is read only
  if (fd < 0) {
    native_error = errno;
    return Result::Failed;
  }
  struct stat st{};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    native_error = EISDIR;
    return Result::Failed;
  }
  // Advisory locks: an exclusive user takes LOCK_EX, everybody else LOCK_SH,
  // so two instances of this program keep each other out as Windows does.
  if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    native_error = errno;
    ::close(fd);
    return native_error == EWOULDBLOCK ? Result::InUse : Result::Failed;
  }
  fd_ = fd;
  return Result::Ok;
}

std::int64_t OpenFile::Read(char* out, std::int64_t size, int& native_error) {
  for (;;) {
    ssize_t n = ::read(fd_, out, static_cast<std::size_t>(std::min<std::int64_t>(size, 1 << 30)));
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    native_error = errno;
    return -1;
  }
}

void OpenFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool OpenFile::IsOpen() const { return fd_ >= 0; }

bool OpenFile::Rewind(std::int64_t& size, int& native_error) {
  if (::lseek(fd_, 0, SEEK_SET) < 0) {
    native_error = errno;
    return false;
  }
  struct stat st{};
  size = ::fstat(fd_, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : 0;
  return true;
}

#endif

std::optional<std::string> OpenFile::ReadAll(int& native_error) {
  std::int64_t size = 0;
  if (!Rewind(size, native_error)) return std::nullopt;
  std::string data;
  if (size > 0) data.reserve(static_cast<std::size_t>(size));
  char buffer[1 << 16];
  for (;;) {
    std::int64_t n = Read(buffer, sizeof buffer, native_error);
    if (n < 0) return std::nullopt;
    if (n == 0) return data;
    data.append(buffer, static_cast<std::size_t>(n));
  }
}

std::optional<std::string> ReadWholeFile(const fs::path& file, int& native_error) {
  OpenFile f;
  if (f.Open(file, false, true, native_error) != OpenFile::Result::Ok) return std::nullopt;
  return f.ReadAll(native_error);
}

namespace {

std::string TempSuffix() {
  static std::mt19937_64 rng{std::random_device{}()};
  static const char digits[] = "0123456789abcdef";
  std::string s = ".tvz-";
  auto v = rng();
  for (int i = 0; i < 12; ++i, v >>= 4) s += digits[v & 15];
  return s + ".tmp";
}

}  // namespace

bool ReplaceFileAtomically(const fs::path& target, std::string_view bytes, int& native_error) {
  fs::path temp = target;
  temp += TempSuffix();
#ifdef _WIN32
  HANDLE h = CreateFileW(temp.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    native_error = static_cast<int>(GetLastError());
    return false;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
    DWORD written = 0;
    ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  if (ok) ok = FlushFileBuffers(h);
  if (!ok) native_error = static_cast<int>(GetLastError());
  CloseHandle(h);
  if (ok && !MoveFileExW(temp.wstring().c_str(), target.wstring().c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    native_error = static_cast<int>(GetLastError());
    ok = false;
  }
  if (!ok) DeleteFileW(temp.wstring().c_str());
  return ok;
#else
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    native_error = errno;
    return false;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      native_error = n < 0 ? errno : ENOSPC;
      ok = false;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  if (ok && ::fsync(fd) != 0) {
    native_error = errno;
    ok = false;
  }
  if (::close(fd) != 0 && ok) {
    native_error = errno;
    ok = false;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    native_error = errno;
    ok = false;
  }
  if (!ok) ::unlink(temp.c_str());
  return ok;
#endif
}

fs::path ExecutableFolder() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return fs::path(buffer).parent_path();
#else
  std::error_code ec;
  auto p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : p.parent_path();
#endif
}

// ---------------------------------------------------------------- text

namespace {
// cp1252 0x80..0x9F; 0 where the code page has no character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}
}  // namespace

std::string Utf8FromCp1252(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (unsigned char b : cp1252) {
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : 0xFFFD;
    AppendUtf8(out, c);
  }
  return out;
}

std::string Cp1252FromUtf8(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char b = utf8[i];
    char32_t c;
    int len;
    if (b < 0x80) { c = b; len = 1; }
    else if ((b >> 5) == 6) { c = b & 0x1F; len = 2; }
    else if ((b >> 4) == 14) { c = b & 0x0F; len = 3; }
    else if ((b >> 3) == 30) { c = b & 0x07; len = 4; }
    else { out += '?'; ++i; continue; }
    if (i + len > utf8.size()) { out += '?'; break; }
    for (int k = 1; k < len; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += len;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) { out += static_cast<char>(c); continue; }
    char mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == c) mapped = static_cast<char>(0x80 + k);
    out += mapped;
  }
  return out;
}

}  // namespace tvz::platform
