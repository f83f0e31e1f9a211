#pragma once
// "Restaurar tablas anteriores..." of the window's system menu: the copies
// of the tables that the exports kept in the working folder (name, date and
// time, tables; newest first) in a modal list, "Restaurar" and "Cancelar".
// Restoring asks for a confirmation, then puts the chosen copy's tables back
// (RestoreCopy) and tells what it did, or the error. No copies: a message
// says so.
#include <windows.h>

#include <filesystem>
#include <string>

#include "export/table_copies.h"
#include "ui/message_dialog.h"

namespace tvz::ui {

// One line of the list: "20261208-1012\t08/12/2026 10:12\tASIGNOMT, ASIGT".
std::string CopyListLine(const TableCopy& copy);

// The whole dialog and what follows it, for the tables in `working`.
// `owner` and `place` as for ShowMessageDialog.
void RunRestoreDialog(HWND owner, DialogPlace place, const std::filesystem::path& working);

}  // namespace tvz::ui
