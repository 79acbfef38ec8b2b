#pragma once

#include <QString>
#include <QStringList>

namespace nidora::framework {

// What text typed into a drop combo comes to among its choices, which are in the order of the
// key they were read in. Letter case and trailing spaces do not count, as in the key: a choice
// equal to the text is chosen; failing that, the choice at whose place the text would stand
// when it begins with the text, or else the next one that does among those of the same base
// letters (typing "Á" chooses "ÁLVAREZ" though "ALBA" stands first at its place). A blank text
// is no choice and stays blank, though every choice begins with it.
struct TypedChoice {
    enum class Outcome { Blank, Chosen, NoMatch };

    Outcome outcome = Outcome::Blank;
    QString text {}; // Chosen: the choice that replaces the typed text

    bool operator==(const TypedChoice&) const = default;
};

TypedChoice matchTypedChoice(const QStringList& choicesInOrder, const QString& typed);

} // namespace nidora::framework
