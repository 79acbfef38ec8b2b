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
    for (const QString& choice : choicesInOrder) {
        if (cp1252::compareAsKey(choice, typed) < 0)
            continue;
        if (cp1252::foldCase(choice).startsWith(folded))
            return { TypedChoice::Outcome::Chosen, choice };
        break;
    }
    return { TypedChoice::Outcome::NoMatch };
}

} // namespace nidora::framework
