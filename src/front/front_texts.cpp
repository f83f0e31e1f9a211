#include "front/front_texts.h"

#include <exception>
#include <new>

#include "core/errors.h"
#include "platform/files.h"

namespace tvz {

std::string JoinedTables(const std::vector<std::string>& tables) {
  std::string text;
  for (const std::string& t : tables) text += (text.empty() ? "" : ", ") + t;
  return text;
}

std::string CopyLine(const TableCopy& copy, std::string_view separator) {
  std::string line = copy.name;
  line += separator;
  line += DateText(copy.time);
  line += separator;
  return line + JoinedTables(copy.tables);
}

std::string NoCopiesText(const std::filesystem::path& working) {
  return "No hay copias de las tablas en " + platform::PathText(CopiesFolder(working));
}

std::vector<std::string> RestoredLines(std::string_view name, const RestoreResult& result) {
  std::vector<std::string> lines = {"Tablas restauradas de la copia " + std::string(name) + ": " +
                                    JoinedTables(result.tables)};
  if (!result.kept.empty()) lines.push_back("Las tablas sustituidas quedan en la copia " + result.kept);
  return lines;
}

RunFailure CurrentFailure() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return {WithFinalStop(NoMemoryText()), true};
  } catch (const std::exception& e) {
    return {WithFinalStop(e.what()), false};
  }
}

RunEnd PerformRun(RunOutcome (*run)(Conversion&), Conversion& c, std::string_view conversion) {
  RunEnd end;
  end.report = {std::string(conversion), "finalizado", {}};
  try {
    end.outcome = run(c);
  } catch (const std::exception&) {
    end.failure = CurrentFailure();
    // Under the error's text, where it happened (when a record loop saw it).
    if (!end.failure.out_of_memory && !c.lugar_error.fichero.empty())
      end.failure.text += "\n" + PlaceText(c.lugar_error);
    end.report.resultado = "error";
    end.report.error = end.failure.text;
    return end;
  }
  if (end.outcome == RunOutcome::kRefused) end.report.resultado = "rechazado";
  return end;
}

}  // namespace tvz
