// Case files: a traverse described in JSON, every field name carrying its
// unit, read the same way by the pdrop command, the Python package and the
// workflows. Unknown fields, missing fields and values of the wrong type are
// errors that name the field; the limits themselves are those of the
// traverse (pdrop/traverse/Limits.h).
#pragma once

#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "pdrop/traverse/Traverse.h"

namespace pdrop {

// Bad input: the message names the field and the value.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads and validates one case; `where` names it in messages (a file name,
// or "cases[3]").
TraverseCase CaseFromJson(const nlohmann::json& j, const std::string& where);
// Parses JSON text; a syntax error or nesting deeper than any case needs is
// an InputError that names `where`. A number too large for a double is kept
// (marked) for CaseFromJson, which names the field that holds it.
nlohmann::json ParseJsonText(const std::string& text, const std::string& where);
// Reads and parses a file; a missing, unreadable or non-regular file (a
// directory, a device) is an InputError "cannot read <kind> PATH (why)".
nlohmann::json ReadJsonFile(const std::string& path, const std::string& kind = "case file");
TraverseCase ReadCaseFile(const std::string& path);
// The whole text of an input file; InputError "cannot read <kind> PATH (why)"
// for a missing, unreadable or non-regular file.
std::string ReadTextFile(const std::string& path, const std::string& kind);

// A number written in full in a text cell ("12.5", "-3e2"): false for an
// empty cell, trailing characters, or a value too large for a double.
bool ParseNumber(const std::string& text, double& value);

// A correlation given by code or by name (a list name of 'pdrop list' or
// the name in a title), in any letter case.
int CorrelationCode(const nlohmann::json& value, const std::string& field);

}  // namespace pdrop
