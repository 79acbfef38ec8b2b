#pragma once

#include "data/Catalogue.h"

#include <vector>

// The relations between the data files, each file's in the order they are registered and
// their children visited.
namespace nidora::data {

enum class Rule {
    None, // no action
    Clear, // blank the child's linking fields
    Restrict, // refuse while a child exists
    Cascade, // carry the change to the children, or delete them
};

struct Link {
    const char* parentField; // "PAC:CODIGO"
    const char* childField; // "CON:PACIENTE"
};

// A child relation names the child's key, whose leading components are the linking fields,
// and the rules; a parent entry names only the other file and serves opening related files.
struct RelationSpec {
    FileId other;
    bool parentEntry = false;
    const char* childKey = nullptr;
    Rule onChange = Rule::None;
    Rule onDelete = Rule::None;
    std::vector<Link> links {};
};

const std::vector<RelationSpec>& relationSpecs(FileId file);

} // namespace nidora::data
