// The field rules of Validate field and Validate record.
#include "data/AccessObject.h"

#include "core/ErrorManager.h"
#include "data/AccessBuffer.h"
#include "data/Dictionary.h"
#include "data/Validation.h"

namespace nidora::data {

namespace message = core::message;

using core::MessageArgs;

namespace {

std::int64_t integerOf(const FieldValue& value)
{
    if (const std::int64_t* n = std::get_if<std::int64_t>(&value))
        return *n;
    return 0;
}

} // namespace

AccessResult AccessObject::checkRule(const ValidationRule& rule, const FieldDesc& field, bool show)
{
    const FieldValue value = fieldValue(field, *buffer_);
    if (rule.kind == ValidationRule::Kind::AtMost) {
        if (integerOf(value) <= rule.limit)
            return AccessResult::Ok;
        return report(message::OutOfRange,
            MessageArgs { .field = field.name, .message = QString::number(rule.limit) }, show);
    }

    // The parent is looked up in the thread's own buffer of it, which a form may be editing:
    // it is put back as it was, found or not.
    AccessObject& parent = dictionary_.access(rule.parent);
    const AccessResult opened = parent.open();
    if (opened != AccessResult::Ok)
        return opened;
    const KeyDesc& key = parent.key(rule.parentKey);
    const State kept = parent.state();
    setFieldValue(parent.desc().fields[std::size_t(key.components.front())], parent.buffer(), value);
    const bool found = parent.tryFetch(key) == AccessResult::Ok;
    parent.restore(kept);
    parent.close();
    if (found)
        return AccessResult::Ok;
    return report(
        message::MustExist, MessageArgs { .field = field.name, .message = parent.desc().label }, show);
}

AccessResult AccessObject::validateField(int fieldNumber, bool showMessage)
{
    for (const ValidationRule& rule : validationRules(id_)) {
        const FieldDesc* field = desc_.field(QString::fromUtf8(rule.field));
        if (field && field->number == fieldNumber)
            return checkRule(rule, *field, showMessage);
    }
    return AccessResult::Ok;
}

AccessResult AccessObject::validateRecord(bool showMessage)
{
    // The rules are kept in field order, so the first failure is that of the lowest field.
    for (const ValidationRule& rule : validationRules(id_)) {
        const AccessResult valid = checkRule(rule, *desc_.field(QString::fromUtf8(rule.field)), showMessage);
        if (valid != AccessResult::Ok)
            return valid;
    }
    return AccessResult::Ok;
}

} // namespace nidora::data
