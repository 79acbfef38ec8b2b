#pragma once

#include "data/Schema.h"
#include "views/SortOrder.h"

#include <QString>

#include <optional>

// The text a list's locator has collected and the key value it stands for. The locator works
// on the first key component after the range; numbers take digits only.
namespace nidora::views {

class ListLocator {
public:
    static constexpr int kMaxCharacters = 40;

    void reset(LocatorKind kind, const data::FieldDesc* field);
    void clear() { text_.clear(); }

    // A typed character. The value to locate when the character counts for this locator,
    // nothing when it is ignored (no locator, a letter on a number, a full text).
    std::optional<data::FieldValue> type(QChar character);
    // Shortens an incremental locator's text; nothing when there was nothing to shorten.
    std::optional<data::FieldValue> backspace();

    // Folded to capitals, as the key compares it.
    const QString& text() const { return text_; }
    LocatorKind kind() const { return kind_; }

private:
    data::FieldValue valueOf(const QString& text) const;
    bool numeric() const;

    LocatorKind kind_ = LocatorKind::None;
    const data::FieldDesc* field_ = nullptr;
    QString text_;
};

} // namespace nidora::views
