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

}  // namespace tvz::platform::native
