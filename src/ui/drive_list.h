#pragma once
// `Unidades`: the drive list, one line per drive ("c: [LABEL]").
#include <windows.h>

#include <string>
#include <vector>

namespace tvz::ui {

class DriveList {
public:
  DriveList() = default;
  DriveList(const DriveList&) = delete;
  DriveList& operator=(const DriveList&) = delete;
  ~DriveList();

  // Fills the combo box with the system's drives.
  void Attach(HWND combo);
  HWND hwnd() const { return hwnd_; }

  // Highlights the drive of `directory` (none for a network path).
  void ShowDriveOf(const std::wstring& directory);
  // The highlighted drive letter (upper case), or 0.
  wchar_t SelectedDrive() const;

  // Height of the closed box, given the height of a list line.
  void SetHeights(int item_height, int box_height);
  void DrawItem(const DRAWITEMSTRUCT& item) const;

private:
  struct Drive {
    wchar_t letter;
    std::wstring text;
    HICON icon;
  };
  HWND hwnd_ = nullptr;
  std::vector<Drive> drives_;
};

// The current folder of a drive: the last one used on it, else its root.
std::wstring CurrentFolderOfDrive(wchar_t letter);

}  // namespace tvz::ui
