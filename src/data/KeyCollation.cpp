#include "data/KeyCollation.h"

#include "core/Cp1252.h"

#include <sqlite3.h>

namespace nidora::data {
namespace {

int trimmedLength(const char* text, int bytes)
{
    while (bytes > 0 && text[bytes - 1] == ' ')
        --bytes;
    return bytes;
}

// Decodes one UTF-8 sequence at text[at] and advances at. Bytes that do not form a valid
// sequence are taken one by one, so the order stays total even on malformed text.
char32_t nextCodePoint(const unsigned char* text, int length, int& at)
{
    const unsigned char lead = text[at];
    int extra = 0;
    char32_t cp = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        extra = 3;
        cp = lead & 0x07;
    } else if (lead >= 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if (lead >= 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    }
    if (lead >= 0x80 && (extra == 0 || at + extra >= length)) {
        ++at;
        return lead;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = text[at + k];
        if ((next & 0xC0) != 0x80) {
            ++at;
            return lead;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    at += extra + 1;
    return cp;
}

int weight(char32_t cp)
{
    if (cp < 0x80) {
        // The common case, kept off the code page tables: ASCII folds by itself.
        return cp >= 'a' && cp <= 'z' ? int(cp - 32) : int(cp);
    }
    if (cp < 0x10000)
        return cp1252::sortWeight(QChar(char16_t(cp)));
    return 0x100 + int(cp);
}

int collate(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    return compareKeyText(static_cast<const char*>(a), aBytes, static_cast<const char*>(b), bBytes);
}

} // namespace

int compareKeyText(const char* a, int aBytes, const char* b, int bBytes)
{
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    const int na = trimmedLength(a, aBytes);
    const int nb = trimmedLength(b, bBytes);
    int i = 0;
    int j = 0;
    while (i < na && j < nb) {
        const int wa = weight(nextCodePoint(ua, na, i));
        const int wb = weight(nextCodePoint(ub, nb, j));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (i < na)
        return 1;
    if (j < nb)
        return -1;
    return 0;
}

bool registerKeyCollation(sqlite3* db)
{
    return sqlite3_create_collation_v2(db, kKeyCollation, SQLITE_UTF8, nullptr, collate, nullptr)
        == SQLITE_OK;
}

} // namespace nidora::data
