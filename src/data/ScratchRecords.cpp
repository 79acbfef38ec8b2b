#include "data/ScratchRecords.h"

namespace nidora::data {

FileDesc GRAFICO::describe()
{
    using R = GRAFICO;
    using enum FieldType;
    return makeFileDesc("GRAFICO", "GRA", "GRAFICO", 77, true,
        {
            field<&R::SERIE>("GRA:SERIE", Byte, 1),
            field<&R::NSERIE>("GRA:NSERIE", String, 30),
            field<&R::X>("GRA:X", Real, 8),
            field<&R::REFERENCIA>("GRA:REFERENCIA", String, 30),
            field<&R::Y>("GRA:Y", Real, 8),
        },
        {},
        {
            // Readers take the points series by series, by increasing x.
            { .name = "GRA:KSERIE", .components = { "GRA:SERIE", "GRA:X" }, .unique = true },
        },
        &newRecord<R>);
}

FileDesc OUTPUT::describe()
{
    using R = OUTPUT;
    using enum FieldType;
    return makeFileDesc("OUTPUT", "OUT", "OUTPUT", 387, true,
        {
            field<&R::STRING1>("OUT:STRING1", String, 30),
            field<&R::STRING2>("OUT:STRING2", String, 30),
            field<&R::STRING3>("OUT:STRING3", String, 30),
            field<&R::STRING4>("OUT:STRING4", String, 30),
            field<&R::REAL1>("OUT:REAL1", Real, 8),
            field<&R::REAL2>("OUT:REAL2", Real, 8),
            field<&R::REAL3>("OUT:REAL3", Real, 8),
            field<&R::LONG1>("OUT:LONG1", Long, 4),
            field<&R::LONG2>("OUT:LONG2", Long, 4),
            field<&R::LONG3>("OUT:LONG3", Long, 4),
            field<&R::SHORT1>("OUT:SHORT1", Short, 2),
            field<&R::SHORT2>("OUT:SHORT2", Short, 2),
            field<&R::SHORT3>("OUT:SHORT3", Short, 2),
            field<&R::DECIMAL1>("OUT:DECIMAL1", Decimal, 5, "", 2, 15),
            field<&R::DECIMAL2>("OUT:DECIMAL2", Decimal, 5, "", 2, 15),
            field<&R::DECIMAL3>("OUT:DECIMAL3", Decimal, 5, "", 2, 15),
        },
        {},
        // Declared in this order; the key a report reads by decides its printed order.
        {
            { .name = "OUT:K1", .components = { "OUT:STRING1", "OUT:STRING2", "OUT:STRING3" } },
            { .name = "OUT:K3", .components = { "OUT:SHORT1", "OUT:LONG1", "OUT:STRING1", "OUT:STRING2" } },
            { .name = "OUT:K2", .components = { "OUT:SHORT1", "OUT:SHORT2", "OUT:SHORT3" } },
            { .name = "OUT:K4", .components = { "OUT:LONG1", "OUT:SHORT1" } },
            { .name = "OUT:K5", .components = { "OUT:LONG1", "OUT:LONG2" } },
        },
        &newRecord<R>);
}

} // namespace nidora::data
