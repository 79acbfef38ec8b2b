#pragma once

struct sqlite3;

// The collation by which STRING key components compare: Windows-1252 letters folded to
// upper case (not only ASCII) and trailing spaces ignored, so "Gripe", "GRIPE" and
// "gripe  " are one key value and lists interleave upper and lower case.
namespace nidora::data {

inline constexpr const char* kKeyCollation = "NIDORA_KEY";

// Every connection that touches a data file registers it before reading the schema:
// the indexes are defined with it. Returns false when SQLite refuses.
bool registerKeyCollation(sqlite3* db);

// The collation itself over two UTF-8 texts; the same order as cp1252::compareAsKey.
int compareKeyText(const char* a, int aBytes, const char* b, int bBytes);

} // namespace nidora::data
