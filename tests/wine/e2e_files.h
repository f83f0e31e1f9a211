#pragma once
// Files around one end-to-end run: the scenario's folders, the result file
// Vardelin.ini, the tables in C:\VTEMP and the host's timetable SOLUC.
#include <optional>
#include <string>
#include <vector>

namespace tvz::e2e {

// A path given on the command line: a Unix path becomes Z:\... under Wine.
std::wstring WindowsPath(const std::string& path);

std::optional<std::string> ReadBytes(const std::wstring& file);
bool WriteBytes(const std::wstring& file, const std::string& bytes);
void RemoveTree(const std::wstring& folder);
bool CopyFolder(const std::wstring& from, const std::wstring& to);

// The result file as the host had it before the run: another section and
// another key in ours, and an old run status.
extern const char kSeededIni[];
// Value of a key, or nullopt when it is missing.
std::optional<std::string> IniValue(const std::wstring& file, const char* section, const char* key);

// The six tables the export writes.
extern const char* const kExportTables[6];
inline const wchar_t kWorkingFolder[] = L"C:\\VTEMP";
// Makes C:\VTEMP hold exactly `tables`, each a marker file that is no table.
void SeedWorkingFolder(const std::vector<std::string>& tables);
std::string MarkerOf(const std::string& table);
// "TABLE.DBF" in C:\VTEMP.
std::wstring TablePath(const std::string& table);
// Number of records when the file is a whole dBase table, else nullopt.
std::optional<unsigned> DbfRecordCount(const std::wstring& file);

struct DbfField {
  const char* name;
  char type;  // 'C' or 'N'
  int length;
};
// A dBase III table with the given fields; each row holds one text per
// field (numbers as decimal text).
std::string DbfTableBytes(const std::vector<DbfField>& fields,
                          const std::vector<std::vector<std::string>>& rows);

}  // namespace tvz::e2e
