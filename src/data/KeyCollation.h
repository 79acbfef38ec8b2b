#pragma once

struct sqlite3;

// The collations by which STRING key components compare. Both fold the code page's letters to
// upper case (not only ASCII) and ignore trailing spaces, so "Gripe", "GRIPE" and "gripe  "
// are one key value and lists interleave upper and lower case.
namespace nidora::data {

// The order of every key: the Spanish alphabet of core/KeyOrder.h (ÁLVAREZ with the A's, Ñ
// between N and O). Each key's index names it for its text components, and so does every
// query that reads by a key, which is what lets SQLite seek the index.
inline constexpr const char* kKeyCollation = "NIDORA_ES";

// The collation the text columns are declared with, and the order the first files built their
// keys in: the folded letters by their byte in the code page, so that Á, Ñ and Ü came after Z.
// It keeps that order under its name, so that a file whose keys were built so stays readable,
// and sound to SQLite's own checks, until it is re-indexed in the order of kKeyCollation.
inline constexpr const char* kColumnCollation = "NIDORA_KEY";

// Every connection that touches a data file registers both before reading the schema: the
// columns and the indexes are defined with them. Returns false when SQLite refuses.
bool registerKeyCollation(sqlite3* db);

// The key order itself over two UTF-8 texts; the same order as cp1252::compareAsKey.
int compareKeyText(const char* a, int aBytes, const char* b, int bBytes);

} // namespace nidora::data
