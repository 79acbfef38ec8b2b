#include "shell/TextMatcher.h"

namespace nidora::shell {

namespace {

bool isWordCharacter(const QString& text, qsizetype at)
{
    return at >= 0 && at < text.size() && text.at(at).isLetterOrNumber();
}

} // namespace

bool TextMatcher::matches(const QString& text, const QString& pattern) const
{
    if (pattern.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = ignoreCase_ ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (qsizetype at = text.indexOf(pattern, 0, cs); at >= 0; at = text.indexOf(pattern, at + 1, cs)) {
        if (!wholeWordsOnly_)
            return true;
        if (!isWordCharacter(text, at - 1) && !isWordCharacter(text, at + pattern.size()))
            return true;
    }
    return false;
}

} // namespace nidora::shell
