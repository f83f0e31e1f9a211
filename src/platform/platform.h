#pragma once
// What differs between Windows and Linux: file names, file access with the
// sharing rules the tables need, the clock, and system error texts. Every
// Win32 or errno code becomes text here, nowhere else.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tvz::platform {

namespace fs = std::filesystem;

// A file name as the program spells it ("zarp_prof.txt") found in `folder`
// without regard to ASCII letter case, as Windows does. Only regular files
// count. On Windows this is a plain existence check.
std::optional<fs::path> FindFile(const fs::path& folder, std::string_view name);

// The path to use for writing `name` in `folder`: an existing file whose name
// differs only in letter case is reused (so a folder never ends up holding
// "ZARP_HORARIO.TXT" and "zarp_horario.txt"); otherwise folder / name.
fs::path PathForWriting(const fs::path& folder, std::string_view name);

bool DirectoryExists(const fs::path& dir);

// Native error code of the last failed call (errno / GetLastError()).
int LastErrorCode();
// The system's text for a native error code (strerror / FormatMessage).
std::string SystemErrorText(int native_code);
// Maps a native error code onto the numbers of IoErrorText (2 not found,
// 3 bad name, 4 too many files, 5 access denied, 101 disk full, 32 sharing).
int IoCodeFromNative(int native_code);

// Reads a whole file. On failure returns nullopt and sets `native_error`.
std::optional<std::string> ReadWholeFile(const fs::path& file, int& native_error);

// Writes `bytes` to a new file beside `target` and puts it in place of
// `target` only once it is complete and flushed. On failure nothing at
// `target` has changed; returns false and sets `native_error`.
bool ReplaceFileAtomically(const fs::path& target, std::string_view bytes, int& native_error);

// Removes a file if it exists; failures are ignored.
void RemoveIfExists(const fs::path& file);

// A file held open for reading, optionally for exclusive use: while an
// exclusive handle is open no other program (on Linux: no other instance of
// this program, by an advisory lock) can open it exclusively.
class OpenFile {
public:
  OpenFile() = default;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  OpenFile(OpenFile&& other) noexcept;
  OpenFile& operator=(OpenFile&& other) noexcept;
  ~OpenFile();

  enum class Result { Ok, Failed, InUse };
  // Opens `file` for reading (and writing, unless read_only). InUse means
  // another program holds it exclusively (or, with exclusive, has it open).
  Result Open(const fs::path& file, bool exclusive, bool read_only, int& native_error);
  // Reads the whole file from its start.
  std::optional<std::string> ReadAll(int& native_error);
  // Reads up to `size` bytes into `out`; returns the count, or -1 on error.
  std::int64_t Read(char* out, std::int64_t size, int& native_error);
  void Close();
  bool IsOpen() const;

private:
  // Back to the start; `size` gets the file's size (0 when unknown).
  bool Rewind(std::int64_t& size, int& native_error);
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

struct LocalTime {
  int year, month, day, hour, minute, second;
};
LocalTime Now();

// The working folder a Windows program sees as C:\VTEMP: C:\VTEMP itself on
// Windows; on Linux $WINEPREFIX/drive_c/VTEMP, else ~/.wine/drive_c/VTEMP.
fs::path DefaultWorkingFolder();

// The folder of the running executable.
fs::path ExecutableFolder();

// Text conversions at the boundary: program texts and data are cp1252 bytes.
std::string Utf8FromCp1252(std::string_view cp1252);
std::string Cp1252FromUtf8(std::string_view utf8);  // unmappable -> '?'

}  // namespace tvz::platform
