#include "framework/TypedChoice.h"

#include "core/Cp1252.h"

namespace nidora::framework {

TypedChoice matchTypedChoice(const QStringList& choicesInOrder, const QString& typed)
{
    const QString folded = cp1252::foldCase(cp1252::fitToField(typed, int(typed.size())));
    if (folded.isEmpty())
        return {};
    for (const QString& choice : choicesInOrder)
        if (cp1252::compareAsKey(choice, typed) == 0)
            return { TypedChoice::Outcome::Chosen, choice };
    // From the text's place on stand the choices whose letters begin with its letters, accented
    // and plain ones together ("ALBA" before "ÁLVAREZ" at the place of "Á"): the first of them
    // that begins with the text itself.
    for (const QString& choice : choicesInOrder) {
        if (cp1252::compareAsKey(choice, typed) < 0)
            continue;
        if (cp1252::foldCase(choice).startsWith(folded))
            return { TypedChoice::Outcome::Chosen, choice };
        if (!cp1252::beginsWithBaseLetters(choice, folded))
            break;
    }
    return { TypedChoice::Outcome::NoMatch };
}

} // namespace nidora::framework
