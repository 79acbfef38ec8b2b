#include "SampleFile.h"

namespace nidora::test {

const data::FileDesc& sampleFile()
{
    using namespace data;
    using enum FieldType;
    static const FileDesc file = makeFileDesc("SAMPLE", "SAM", "SAMPLE", 36, true,
        {
            field<&SAMPLE::CODIGO>("SAM:CODIGO", Long, 4),
            field<&SAMPLE::NOMBRE>("SAM:NOMBRE", String, 10, "@s10"),
            field<&SAMPLE::GRUPO>("SAM:GRUPO", String, 6, "@s6"),
            field<&SAMPLE::IMPORTE>("SAM:IMPORTE", Decimal, 5, "@n-13.2", 2),
            field<&SAMPLE::MARCAS>("SAM:MARCAS", Byte, 1, "", 0, 3),
            field<&SAMPLE::VALOR>("SAM:VALOR", Real, 8),
        },
        { field<&SAMPLE::NOTAS>("SAM:NOTAS", Memo, 50) },
        {
            { "SAM:KCODIGO", { "SAM:CODIGO" }, true, false, true },
            { "SAM:KNOMBRE", { "SAM:NOMBRE" }, true, false, false, "Indice por nombre" },
            { "SAM:KGRUPO", { "SAM:GRUPO", "SAM:CODIGO" } },
            { "SAM:KVALOR", { "SAM:VALOR" }, false, true },
        },
        [] { return std::make_unique<SAMPLE>(); });
    return file;
}

SAMPLE sample(std::int32_t code, const QString& name, const QString& group)
{
    SAMPLE record;
    record.CODIGO = code;
    record.NOMBRE = name;
    record.GRUPO = group;
    return record;
}

} // namespace nidora::test
