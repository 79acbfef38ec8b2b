#include "data/KeyCollation.h"

#include "core/Cp1252.h"
#include "core/KeyOrder.h"

#include <sqlite3.h>

namespace nidora::data {
namespace {

// The code points of a UTF-8 text up to its trailing spaces. Bytes that do not form a valid
// sequence are taken one by one, so the order stays total even on malformed text.
class Utf8CodePoints {
public:
    Utf8CodePoints(const void* text, int bytes)
        : text_(static_cast<const unsigned char*>(text))
        , length_(bytes)
    {
        while (length_ > 0 && text_[length_ - 1] == ' ')
            --length_;
    }

    bool next(char32_t& codePoint)
    {
        if (at_ >= length_)
            return false;
        const unsigned char lead = text_[at_];
        codePoint = lead;
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
        if (extra == 0 || at_ + extra >= length_) {
            ++at_;
            return true;
        }
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = text_[at_ + k];
            if ((next & 0xC0) != 0x80) {
                ++at_;
                return true;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        at_ += extra + 1;
        codePoint = cp;
        return true;
    }

private:
    const unsigned char* text_;
    int length_;
    int at_ = 0;
};

int keyOrder(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    return cp1252::compareKeyTexts(
        Utf8CodePoints(a, aBytes), Utf8CodePoints(b, bBytes), cp1252::KeyLevel::Accents);
}

// The first files' order: each character by its folded byte in the code page, the characters
// outside it after all of them.
int firstOrderWeight(char32_t cp)
{
    if (cp < 0x80)
        return cp >= 'a' && cp <= 'z' ? int(cp - 32) : int(cp);
    if (cp >= 0x10000)
        return 0x100 + int(cp);
    const QChar folded = cp1252::foldCase(QChar(char16_t(cp)));
    unsigned char byte = 0;
    return cp1252::fromUnicode(folded, byte) ? byte : 0x100 + folded.unicode();
}

int firstOrder(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    Utf8CodePoints left(a, aBytes);
    Utf8CodePoints right(b, bBytes);
    for (;;) {
        char32_t l = 0;
        char32_t r = 0;
        const bool hasLeft = left.next(l);
        const bool hasRight = right.next(r);
        if (!hasLeft || !hasRight)
            return hasLeft ? 1 : hasRight ? -1 : 0;
        const int wl = firstOrderWeight(l);
        const int wr = firstOrderWeight(r);
        if (wl != wr)
            return wl < wr ? -1 : 1;
    }
}

} // namespace

int compareKeyText(const char* a, int aBytes, const char* b, int bBytes)
{
    return keyOrder(nullptr, aBytes, a, bBytes, b);
}

bool registerKeyCollation(sqlite3* db)
{
    return sqlite3_create_collation_v2(db, kKeyCollation, SQLITE_UTF8, nullptr, keyOrder, nullptr)
        == SQLITE_OK
        && sqlite3_create_collation_v2(db, kColumnCollation, SQLITE_UTF8, nullptr, firstOrder, nullptr)
        == SQLITE_OK;
}

} // namespace nidora::data
