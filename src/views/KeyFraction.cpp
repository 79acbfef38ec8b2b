#include "views/KeyFraction.h"

#include "core/Cp1252.h"
#include "core/KeyOrder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace nidora::views {
namespace {

using data::FieldValue;

// Characters of a text weighed after the shared leading ones: six of them fill a double's
// precision.
constexpr int kTextDigits = 6;
constexpr double kDigitBase = 256.0;

// The letters keys sort by, in their order: a character weighs its letter's place among them,
// so weights follow the order of keys and fit a byte (the code page has fewer letters than
// characters).
const std::vector<std::uint32_t>& keyLetters()
{
    static const std::vector<std::uint32_t> letters = [] {
        std::vector<std::uint32_t> all;
        for (const cp1252::CharacterKey& key : cp1252::kCharacterKeys)
            all.push_back(key.first.letter);
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
        return all;
    }();
    return letters;
}

int weightOf(char32_t character)
{
    const std::vector<std::uint32_t>& letters = keyLetters();
    const std::uint32_t letter = cp1252::characterKey(character).first.letter;
    const auto place = std::lower_bound(letters.begin(), letters.end(), letter);
    return std::min(int(place - letters.begin()), 255);
}

// A character of each weight: the first of the code page that sorts as that letter.
QChar characterOfWeight(int weight)
{
    static const std::vector<QChar> characters = [] {
        std::vector<QChar> first(keyLetters().size());
        for (int byte = 255; byte >= 0; --byte) {
            const QChar character = cp1252::toUnicode(static_cast<unsigned char>(byte));
            const int place = weightOf(char32_t(character.unicode()));
            if (place < int(first.size()))
                first[std::size_t(place)] = character;
        }
        return first;
    }();
    return characters[std::size_t(std::clamp(weight, 0, int(characters.size()) - 1))];
}

int weightAt(const QString& text, qsizetype index)
{
    return weightOf(index < text.size() ? char32_t(text[index].unicode()) : U' ');
}

qsizetype sharedPrefix(const QString& a, const QString& b)
{
    qsizetype shared = 0;
    while (shared < std::min(a.size(), b.size()) && weightAt(a, shared) == weightAt(b, shared))
        ++shared;
    return shared;
}

double textNumber(const QString& text, qsizetype from)
{
    double number = 0;
    for (int k = 0; k < kTextDigits; ++k)
        number = number * kDigitBase + weightAt(text, from + k);
    return number;
}

double number(const FieldValue& value)
{
    if (const auto* whole = std::get_if<std::int64_t>(&value))
        return double(*whole);
    if (const auto* real = std::get_if<double>(&value))
        return *real;
    return 0;
}

bool same(const FieldValue& a, const FieldValue& b)
{
    const auto* ta = std::get_if<QString>(&a);
    const auto* tb = std::get_if<QString>(&b);
    if (ta && tb)
        return cp1252::compareAsKey(*ta, *tb) == 0;
    return number(a) == number(b);
}

// The first component in which the two rows differ; the count of components when none.
std::size_t firstDifference(const KeyPoint& first, const KeyPoint& last)
{
    const std::size_t count = std::min(first.values.size(), last.values.size());
    std::size_t c = 0;
    while (c < count && same(first.values[c], last.values[c]))
        ++c;
    return c;
}

double between(double low, double high, double value)
{
    return high > low ? std::clamp((value - low) / (high - low), 0.0, 1.0) : 0.0;
}

} // namespace

double keyFraction(const KeyPoint& first, const KeyPoint& last, const KeyPoint& row)
{
    const std::size_t c = firstDifference(first, last);
    if (c >= first.values.size() || c >= last.values.size() || c >= row.values.size())
        return between(double(first.id), double(last.id), double(row.id));
    const FieldValue& low = first.values[c];
    const FieldValue& high = last.values[c];
    const FieldValue& at = row.values[c];
    if (const auto* lowText = std::get_if<QString>(&low)) {
        const QString highText = std::get<QString>(high);
        const QString atText = std::get<QString>(at);
        const qsizetype from = sharedPrefix(*lowText, highText);
        return between(textNumber(*lowText, from), textNumber(highText, from), textNumber(atText, from));
    }
    return between(number(low), number(high), number(at));
}

KeyPoint keyAtFraction(const KeyPoint& first, const KeyPoint& last, double fraction)
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    const std::size_t c = firstDifference(first, last);
    KeyPoint point;
    point.values.assign(first.values.begin(), first.values.begin() + std::ptrdiff_t(c));
    if (c >= first.values.size() || c >= last.values.size()) {
        point.values = first.values;
        point.id = std::int64_t(std::llround(double(first.id) + fraction * double(last.id - first.id))) - 1;
        return point;
    }
    const FieldValue& low = first.values[c];
    const FieldValue& high = last.values[c];
    if (const auto* lowText = std::get_if<QString>(&low)) {
        const QString& highText = std::get<QString>(high);
        const qsizetype from = sharedPrefix(*lowText, highText);
        const double lowNumber = textNumber(*lowText, from);
        double value = lowNumber + fraction * (textNumber(highText, from) - lowNumber);
        QString digits;
        for (int k = kTextDigits - 1; k >= 0; --k) {
            const double place = std::pow(kDigitBase, k);
            const int weight = std::clamp(int(value / place), 0, 255);
            value -= weight * place;
            digits += characterOfWeight(std::max(weight, weightOf(U' ')));
        }
        QString text = lowText->left(from) + digits;
        while (text.endsWith(u' '))
            text.chop(1);
        point.values.push_back(text);
    } else if (std::holds_alternative<double>(low)) {
        point.values.push_back(number(low) + fraction * (number(high) - number(low)));
    } else {
        point.values.push_back(
            std::int64_t(std::llround(number(low) + fraction * (number(high) - number(low)))));
    }
    return point;
}

} // namespace nidora::views
