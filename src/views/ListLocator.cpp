#include "views/ListLocator.h"

#include "core/Cp1252.h"

namespace nidora::views {

void ListLocator::reset(LocatorKind kind, const data::FieldDesc* field)
{
    kind_ = field ? kind : LocatorKind::None;
    field_ = field;
    text_.clear();
}

bool ListLocator::numeric() const
{
    return field_->type != data::FieldType::String && field_->type != data::FieldType::Memo;
}

data::FieldValue ListLocator::valueOf(const QString& text) const
{
    if (!numeric())
        return text;
    return std::int64_t(text.toLongLong());
}

std::optional<data::FieldValue> ListLocator::type(QChar character)
{
    if (kind_ == LocatorKind::None || !character.isPrint())
        return std::nullopt;
    if (numeric() && !character.isDigit())
        return std::nullopt;
    const QString typed = cp1252::foldCase(QString(character));
    if (kind_ == LocatorKind::Step)
        return valueOf(typed);
    // A number longer than its digits could hold would wrap: the typed digits stop there.
    if (text_.size() >= kMaxCharacters || (numeric() && text_.size() >= 18))
        return std::nullopt;
    text_ += typed;
    return valueOf(text_);
}

std::optional<data::FieldValue> ListLocator::backspace()
{
    if (kind_ != LocatorKind::Incremental || text_.isEmpty())
        return std::nullopt;
    text_.chop(1);
    return valueOf(text_);
}

} // namespace nidora::views
