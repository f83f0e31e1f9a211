#include "ui/directory_list.h"

#include <algorithm>
#include <cwctype>

#include "ui/control_ids.h"
#include "ui/form_layout.h"

namespace tvz::ui {

namespace {

// "C:\" for "C:\a\b"; "\\server\share\" for "\\server\share\a".
std::wstring RootOf(const std::wstring& directory) {
  if (directory.size() >= 2 && directory[1] == L':') return directory.substr(0, 2) + L"\\";
  if (directory.rfind(L"\\\\", 0) == 0) {
    std::size_t end = directory.find(L'\\', 2);
    if (end != std::wstring::npos) end = directory.find(L'\\', end + 1);
    return (end == std::wstring::npos ? directory : directory.substr(0, end)) + L"\\";
  }
  return directory;
}

std::vector<std::wstring> Subfolders(const std::wstring& directory) {
  std::wstring pattern = directory;
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                   FindExSearchLimitToDirectories, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const DWORD attributes = found.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_LESS_THAN;
  });
  return names;
}

// Remembers `directory` as its drive's current folder (the "=C:" variable
// that the system reads for a path such as "C:").
void RememberForDrive(const std::wstring& directory) {
  if (directory.size() < 2 || directory[1] != L':') return;
  wchar_t name[4] = {L'=', static_cast<wchar_t>(std::towupper(directory[0])), L':', 0};
  SetEnvironmentVariableW(name, directory.c_str());
}

}  // namespace

std::vector<DirectoryItem> ChainItems(const std::wstring& directory) {
  const std::wstring root = RootOf(directory);
  std::vector<DirectoryItem> items;
  std::wstring root_name = root;
  if (root_name.size() > 3 && root_name.back() == L'\\') root_name.pop_back();  // UNC
  items.push_back({root_name, root, 0, true});
  std::wstring path = root;
  std::size_t start = root.size() <= directory.size() ? root.size() : directory.size();
  int level = 1;
  while (start < directory.size()) {
    std::size_t end = directory.find(L'\\', start);
    if (end == std::wstring::npos) end = directory.size();
    if (end > start) {
      const std::wstring name = directory.substr(start, end - start);
      if (path.back() != L'\\') path += L'\\';
      path += name;
      items.push_back({name, path, level++, true});
    }
    start = end + 1;
  }
  return items;
}

DirectoryList::~DirectoryList() {
  if (closed_icon_ != nullptr) DestroyIcon(closed_icon_);
  if (open_icon_ != nullptr) DestroyIcon(open_icon_);
}

void DirectoryList::Attach(HWND listbox) {
  hwnd_ = listbox;
  closed_icon_ = SmallIcon(IDI_CARPETA);
  open_icon_ = SmallIcon(IDI_CARPETA_ABIERTA);
}

bool DirectoryList::SetDirectory(const std::wstring& directory) {
  if (!SetCurrentDirectoryW(directory.c_str())) return false;
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring current(n, L'\0');
  current.resize(GetCurrentDirectoryW(n, current.data()));
  directory_ = current;
  RememberForDrive(directory_);
  Fill();
  return true;
}

bool DirectoryList::OpenSelected() {
  const LRESULT index = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return false;
  const std::wstring target = items_[static_cast<std::size_t>(index)].path;
  if (target == directory_) return false;
  if (SetDirectory(target)) return true;
  MessageBeep(MB_ICONWARNING);
  return false;
}

void DirectoryList::Fill() {
  items_ = ChainItems(directory_);
  const int current = static_cast<int>(items_.size()) - 1;
  const int level = items_.back().level + 1;
  for (const std::wstring& name : Subfolders(directory_)) {
    std::wstring path = directory_;
    if (path.back() != L'\\') path += L'\\';
    items_.push_back({name, path + name, level, false});
  }
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  for (const DirectoryItem& item : items_)
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.name.c_str()));
  SendMessageW(hwnd_, LB_SETCURSEL, current, 0);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void DirectoryList::SetItemHeight(int height) {
  SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, height);
}

void DirectoryList::DrawItem(const DRAWITEMSTRUCT& item, UINT dpi) const {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= items_.size()) {
    DrawListLine(item, nullptr, 0, L"");
    return;
  }
  const DirectoryItem& line = items_[item.itemID];
  DrawListLine(item, line.open ? open_icon_ : closed_icon_, line.level * ScaleToDpi(10, dpi),
               line.name);
}

HICON SmallIcon(int resource_id) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_id),
                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), 0));
}

void DrawListLine(const DRAWITEMSTRUCT& item, HICON icon, int indent, const std::wstring& text) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : kListBackground;
  const COLORREF old_back = SetBkColor(dc, back);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  // A line lower than the icon (the closed drive box) gets the icon shrunk.
  const int icon_size = std::min<int>(GetSystemMetrics(SM_CXSMICON), r.bottom - r.top - 2);
  int x = r.left + 2 + indent;
  if (icon != nullptr) {
    DrawIconEx(dc, x, r.top + (r.bottom - r.top - icon_size) / 2, icon, icon_size, icon_size, 0,
               nullptr, DI_NORMAL);
    x += icon_size + 3;
  }
  const COLORREF old_text =
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT t{x, r.top, r.right, r.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(dc, old_text);
  SetBkColor(dc, old_back);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
}

}  // namespace tvz::ui
