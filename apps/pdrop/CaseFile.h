// Case files of the pdrop command: a traverse described in JSON, every field
// name carrying its unit. Unknown fields, missing fields and values of the
// wrong type are errors that name the field.
#pragma once

#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "pdrop/traverse/Traverse.h"

namespace pdrop::cli {

// Bad input: the message names the field and the value.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads and validates one case; `where` names it in messages (a file name,
// or "cases[3]").
TraverseCase CaseFromJson(const nlohmann::json& j, const std::string& where);
nlohmann::json ReadJsonFile(const std::string& path);
TraverseCase ReadCaseFile(const std::string& path);

// A correlation given by code or by list name.
int CorrelationCode(const nlohmann::json& value, const std::string& field);

}  // namespace pdrop::cli
