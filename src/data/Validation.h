#pragma once

#include "data/Catalogue.h"

#include <span>

// The field rules that Validate field and Validate record apply. Every field not listed here
// is valid whatever it holds.
namespace nidora::data {

struct ValidationRule {
    enum class Kind {
        AtMost, // the value is at most `limit` (message 19 names the limit)
        MustExist, // a record of `parent` has the value in its key `parentKey` (message 16)
    };
    FileId file;
    const char* field; // "CON:MESES"
    Kind kind;
    int limit = 0;
    FileId parent = FileId::PACIENTES;
    const char* parentKey = nullptr;
};

// The rules of one file, in field order.
std::span<const ValidationRule> validationRules(FileId file);

} // namespace nidora::data
