#include "ui/drive_list.h"

#include <cwctype>

#include "ui/control_ids.h"
#include "ui/directory_list.h"

namespace tvz::ui {

namespace {

// "c: [LABEL]"; removable and CD drives are not asked for a label, so that
// an empty drive is not touched.
std::wstring DriveText(wchar_t letter, UINT drive_type) {
  std::wstring text{static_cast<wchar_t>(std::towlower(letter)), L':'};
  if (drive_type != DRIVE_FIXED && drive_type != DRIVE_REMOTE && drive_type != DRIVE_RAMDISK)
    return text;
  const wchar_t root[] = {letter, L':', L'\\', 0};
  wchar_t label[MAX_PATH + 1] = {};
  if (GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
      label[0] != 0) {
    text += L" [";
    text += label;
    text += L"]";
  }
  return text;
}

}  // namespace

DriveList::~DriveList() {
  for (Drive& d : drives_)
    if (d.icon != nullptr) DestroyIcon(d.icon);
}

void DriveList::Attach(HWND combo) {
  hwnd_ = combo;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const wchar_t letter = static_cast<wchar_t>(L'A' + i);
    const wchar_t root[] = {letter, L':', L'\\', 0};
    const UINT type = GetDriveTypeW(root);
    drives_.push_back({letter, DriveText(letter, type), SmallIcon(IDI_UNIDAD)});
  }
  for (const Drive& d : drives_)
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d.text.c_str()));
}

void DriveList::ShowDriveOf(const std::wstring& directory) {
  int index = -1;
  if (directory.size() >= 2 && directory[1] == L':') {
    const wchar_t letter = static_cast<wchar_t>(std::towupper(directory[0]));
    for (std::size_t i = 0; i < drives_.size(); ++i)
      if (drives_[i].letter == letter) index = static_cast<int>(i);
  }
  SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

wchar_t DriveList::SelectedDrive() const {
  const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= drives_.size()) return 0;
  return drives_[static_cast<std::size_t>(index)].letter;
}

void DriveList::SetHeights(int item_height, int box_height) {
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, item_height);
  // The closed box is its selection field plus a frame: size the field so
  // that the whole box gets the wanted height.
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item_height);
  RECT r;
  GetWindowRect(hwnd_, &r);
  const int frame = (r.bottom - r.top) - item_height;
  if (box_height - frame > 0)
    SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), box_height - frame);
}

void DriveList::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= drives_.size()) {
    DrawListLine(item, nullptr, 0, L"");
    return;
  }
  const Drive& d = drives_[item.itemID];
  DrawListLine(item, d.icon, 0, d.text);
}

std::wstring CurrentFolderOfDrive(wchar_t letter) {
  const wchar_t drive[] = {letter, L':', 0};
  wchar_t full[MAX_PATH * 2];
  const DWORD n = GetFullPathNameW(drive, MAX_PATH * 2, full, nullptr);
  if (n == 0 || n >= MAX_PATH * 2) return std::wstring{letter, L':', L'\\'};
  return std::wstring(full, n);
}

}  // namespace tvz::ui
