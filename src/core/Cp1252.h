#pragma once

#include <QByteArray>
#include <QString>

// Text in the data files is measured and compared in Windows-1252 terms: a STRING(n)
// field holds n characters of that code page. Qt 6 has no codec for it, so this is ours.
namespace nidora::cp1252 {

// The Unicode character for a byte of the code page. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so
// every byte round-trips.
QChar toUnicode(unsigned char byte);

// The byte for a character, or false when the code page cannot hold it.
bool fromUnicode(QChar ch, unsigned char& byte);

QString decode(const QByteArray& bytes);
// Characters the code page cannot hold become '?'.
QByteArray encode(const QString& text);

// True when every character of text can be stored in a STRING field.
bool representable(const QString& text);

// Upper-case fold of the code page's letters (á→Á, ñ→Ñ, ü→Ü, ÿ→Ÿ, š→Š, œ→Œ) and ASCII;
// everything else is kept. Keys compare STRING components through this fold.
QChar foldCase(QChar ch);
QString foldCase(const QString& text);

// The text cut to at most n characters with its trailing spaces removed: the form in
// which a STRING(n) value is held in memory and stored.
QString fitToField(const QString& text, int n);

// Compares as keys do, in the Spanish order of core/KeyOrder.h: letter case and trailing
// spaces are insignificant, an accent counts only between texts of the same letters.
int compareAsKey(const QString& a, const QString& b);
// Compares by the base letters alone, as a reader of an alphabetical list does: Á is A and Ç
// is C, but Ñ still comes after N.
int compareBaseLetters(const QString& a, const QString& b);
// Whether the base letters of text begin with those of prefix ("ÁLVAREZ" begins with "al").
bool beginsWithBaseLetters(const QString& text, const QString& prefix);

} // namespace nidora::cp1252
