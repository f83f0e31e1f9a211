#pragma once
// `Directorios`: the directory list. It shows the chain of folders from the
// drive's root down to the current folder (open folders, each one level
// deeper), then the current folder's subfolders (closed folders). Double
// click or Enter on a line makes that folder the current one.
//
// The current folder is also the process's current directory, and the
// current folder of its drive, so that choosing the drive again in
// `Unidades` comes back to it.
#include <windows.h>

#include <string>
#include <vector>

namespace tvz::ui {

struct DirectoryItem {
  std::wstring name;  // "C:\" for the root, else the folder's own name
  std::wstring path;  // the folder's full path
  int level = 0;      // indentation, 0 for the root
  bool open = false;  // on the chain from the root to the current folder
};

// The chain from the root of `directory` down to `directory` itself.
std::vector<DirectoryItem> ChainItems(const std::wstring& directory);

class DirectoryList {
public:
  DirectoryList() = default;
  DirectoryList(const DirectoryList&) = delete;
  DirectoryList& operator=(const DirectoryList&) = delete;
  ~DirectoryList();

  void Attach(HWND listbox);
  HWND hwnd() const { return hwnd_; }
  const std::wstring& Directory() const { return directory_; }

  // Makes `directory` the current folder. False, and nothing changes, when it
  // cannot be entered.
  bool SetDirectory(const std::wstring& directory);
  // Opens the highlighted line; true when the current folder changed.
  bool OpenSelected();

  void SetItemHeight(int height);
  void DrawItem(const DRAWITEMSTRUCT& item, UINT dpi) const;

private:
  void Fill();

  HWND hwnd_ = nullptr;
  std::wstring directory_;
  std::vector<DirectoryItem> items_;
  HICON closed_icon_ = nullptr;
  HICON open_icon_ = nullptr;
};

// Background of both folder lists.
inline constexpr COLORREF kListBackground = RGB(240, 251, 255);

// One of the program's icons at the small icon size, or null; free with
// DestroyIcon.
HICON SmallIcon(int resource_id);

// Draws one line of an owner-drawn list: background, icon, text.
void DrawListLine(const DRAWITEMSTRUCT& item, HICON icon, int indent, const std::wstring& text);

}  // namespace tvz::ui
