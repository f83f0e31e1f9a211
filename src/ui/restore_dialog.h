#pragma once
// "Restaurar tablas anteriores..." of the window's system menu: the copies
// of the tables that the exports kept in the working folder (name, date and
// time, tables; newest first) in a modal list, "Restaurar" and "Cancelar".
// "Restaurar" asks for a confirmation; the list stays until the user
// confirms or cancels.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "tables/table_copies.h"
#include "ui/message_dialog.h"

namespace tvz::ui {

// The copy the user chose and confirmed; nullopt when cancelled.
// REQUIRES: `copies` (of the working folder `working`) is not empty.
// `owner` and `place` as for ShowMessageDialog.
std::optional<TableCopy> ChooseCopy(HWND owner, DialogPlace place, const std::filesystem::path& working,
                                    const std::vector<TableCopy>& copies);

}  // namespace tvz::ui
