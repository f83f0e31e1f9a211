#include "import/lookups.h"

#include "core/errors.h"

namespace tvz {

std::optional<std::string_view> SlotIndex::Find(std::string_view day, std::string_view hour,
                                                std::string_view frame) {
  if (!built_) Build();
  auto it = index_.find(Key(day, hour, frame));
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

const std::string& SlotIndex::Key(std::string_view day, std::string_view hour,
                                  std::string_view frame) {
  key_.clear();
  for (std::string_view part : {day, hour, frame}) AppendKeyPart(key_, part);
  return key_;
}

void SlotIndex::Build() {
  built_ = true;
  const Field day = slots_.FieldByName("DIA"), hour = slots_.FieldByName("HORA"),
              frame = slots_.FieldByName("MARCO"), code = slots_.FieldByName("CODDIHO");
  for (slots_.First(); !slots_.Eof(); slots_.Next())
    index_.try_emplace(Key(day.Text(), hour.Text(), frame.Text()), code.AsString());
}

std::optional<std::string_view> LookUp::Find(std::string_view key) {
  if (!built_) Build();
  const auto it = index_.find(key);
  if (it == index_.end()) return std::nullopt;
  if (!has_result_) table_.FieldByName(result_field_);  // the table's error for the missing field
  return it->second;
}

void LookUp::Build() {
  built_ = true;
  const Field key = table_.FieldByName(key_field_);
  std::optional<Field> result;
  try {
    result = table_.FieldByName(result_field_);
  } catch (const RunError&) {
    has_result_ = false;  // an error only at the first match
  }
  index_.reserve(table_.RecordCount());
  for (table_.First(); !table_.Eof(); table_.Next()) {
    auto [it, added] = index_.try_emplace(Kept(key));
    if (added && result) it->second = Kept(*result);
  }
}

std::string_view LookUp::Kept(const Field& field) {
  if (const auto text = field.TextInPlace()) return *text;
  return converted_.emplace_back(field.AsString());
}

}  // namespace tvz
