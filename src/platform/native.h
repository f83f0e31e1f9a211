#pragma once
// Inside the platform layer only: what the portable files (files.cpp,
// file_io.cpp) and the per-system files (*_posix.cpp, *_win32.cpp) share.
#include <filesystem>
#include <optional>
#include <string_view>

namespace tvz::platform::native {

// The regular file of `folder` whose name equals `name` in another letter
// case, the first in name order; none where names already ignore case.
std::optional<std::filesystem::path> FindCaseVariant(const std::filesystem::path& folder,
                                                     std::string_view name);

// `target` with a random suffix (".tvz-<12 hex digits>.tmp"), for a new file
// written beside it.
std::filesystem::path TempPathBeside(const std::filesystem::path& target);

// Writes `bytes` to the new file `file` (which must not exist) and flushes it
// to the disk. On failure nothing is left there; false and `native_error`.
bool WriteNewFile(const std::filesystem::path& file, std::string_view bytes, int& native_error);

// Gives the new file `file` the permissions (and, where this process may,
// the owner) of `model`; true when `model` is not there. False and
// `native_error` when they cannot be set.
bool TakePermissions(const std::filesystem::path& file, const std::filesystem::path& model,
                     int& native_error);

// Renames `from` to `to` in one step, replacing `to` when it exists; false
// and `native_error` when it cannot (then neither changed).
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to,
                int& native_error);

}  // namespace tvz::platform::native
