#include "data/ReferenceRecords.h"

namespace nidora::data {

FileDesc MEDICOS::describe()
{
    using R = MEDICOS;
    using enum FieldType;
    return makeFileDesc("MEDICOS", "MED", "MEDICOS", 211, true,
        {
            field<&R::CODIGO>("MED:CODIGO", Byte, 1),
            field<&R::NOMBRE>("MED:NOMBRE", String, 30, "@s30"),
            field<&R::MATRICULA>("MED:MATRICULA", String, 20, "@s20"),
            field<&R::ESPECIALIDAD>("MED:ESPECIALIDAD", String, 30, "@s30"),
            field<&R::DIRECCION1>("MED:DIRECCION1", String, 30, "@s30"),
            field<&R::DIRECCION2>("MED:DIRECCION2", String, 30, "@s30"),
            field<&R::MAIL>("MED:MAIL", String, 40, "@s40"),
            field<&R::OTROS>("MED:OTROS", String, 30, "@s30"),
        },
        {}, { { .name = "MED:KCODIGO", .components = { "MED:CODIGO" }, .unique = true, .autoNumber = true } },
        &newRecord<R>);
}

FileDesc TABCRECIMIENTO::describe()
{
    using R = TABCRECIMIENTO;
    using enum FieldType;
    return makeFileDesc("TABCRECIMIENTO", "TCR", "TABCRECI", 118, true,
        {
            field<&R::EDAD>("TCR:EDAD", Short, 2),
            field<&R::PESOS>("TCR:PESOS", Decimal, 4, "@n7.3", 3, 7, 2),
            field<&R::ALTURA>("TCR:ALTURA", Decimal, 3, "@N5.1", 1, 7, 2),
            field<&R::PC>("TCR:PC", Decimal, 3, "@n-6.1", 1, 3, 2),
        },
        {},
        {
            // Age 0 is a real row, so a zero age is indexed too.
            { .name = "TCR:KEDAD",
                .components = { "TCR:EDAD" },
                .unique = true,
                .blanksIndexed = true,
                .autoNumber = true },
        },
        &newRecord<R>);
}

FileDesc MOTIVOS::describe()
{
    using R = MOTIVOS;
    using enum FieldType;
    return makeFileDesc("MOTIVOS", "MOT", "MOTIVOS", 25, true,
        { field<&R::MOTIVO>("MOT:MOTIVO", String, 25) }, {},
        { { .name = "MOT:KMOTIVO", .components = { "MOT:MOTIVO" }, .unique = true } }, &newRecord<R>);
}

FileDesc TABENFERMED::describe()
{
    using R = TABENFERMED;
    using enum FieldType;
    // The pathology table comes with the program: a missing file is an error, not an empty table.
    return makeFileDesc("TABENFERMED", "TEN", "TABENFER", 20, false,
        { field<&R::NOMBRE>("TEN:NOMBRE", String, 20, "@s20") },
        { field<&R::CARACTERISTICAS>("TEN:CARACTERISTICAS", Memo, 1000) },
        { { .name = "TEN:KNOMBRE", .components = { "TEN:NOMBRE" }, .unique = true } }, &newRecord<R>);
}

FileDesc OBRASSOCIALES::describe()
{
    using R = OBRASSOCIALES;
    using enum FieldType;
    return makeFileDesc("OBRASSOCIALES", "OBR", "OBRASSOC", 20, true,
        { field<&R::NOMBRE>("OBR:NOMBRE", String, 20) }, {},
        { { .name = "OBR:KNOMBRE", .components = { "OBR:NOMBRE" }, .unique = true } }, &newRecord<R>);
}

FileDesc PLANVACUNACION::describe()
{
    using R = PLANVACUNACION;
    using enum FieldType;
    return makeFileDesc("PLANVACUNACION", "PLA", "PLANVACU", 34, true,
        {
            field<&R::CODIGO>("PLA:CODIGO", String, 1, "@s1"),
            group("PLA:EDAD", 3),
            field<&R::ANIOS>("PLA:ANIOS", Byte, 1, "@n2"),
            field<&R::MESES>("PLA:MESES", Byte, 1, "@n2"),
            field<&R::DIAS>("PLA:DIAS", Byte, 1, "@n2"),
            field<&R::VACUNA>("PLA:VACUNA", String, 20, "@s20"),
            field<&R::DOSIS>("PLA:DOSIS", String, 10, "@s10"),
        },
        {},
        {
            { .name = "PLA:KPLANES", .components = { "PLA:CODIGO" } },
            { .name = "PLA:KCODIGO", .components = { "PLA:CODIGO", "PLA:ANIOS", "PLA:MESES", "PLA:DIAS" } },
        },
        &newRecord<R>);
}

FileDesc TITULOS::describe()
{
    using R = TITULOS;
    using enum FieldType;
    return makeFileDesc("TITULOS", "TIT", "TITULOS", 80, true,
        {
            field<&R::TEMA>("TIT:TEMA", String, 40, "@s40"),
            field<&R::TITULO>("TIT:TITULO", String, 40, "@s40"),
        },
        {}, { { .name = "TIT:KTITULO", .components = { "TIT:TEMA", "TIT:TITULO" }, .unique = true } },
        &newRecord<R>);
}

FileDesc TEMAS::describe()
{
    using R = TEMAS;
    using enum FieldType;
    return makeFileDesc("TEMAS", "TEM", "TEMAS", 40, true,
        { field<&R::TEMA>("TEM:TEMA", String, 40, "@s40") }, {},
        { { .name = "TEM:KTITULOS", .components = { "TEM:TEMA" }, .unique = true } }, &newRecord<R>);
}

FileDesc ARTICULOS::describe()
{
    using R = ARTICULOS;
    using enum FieldType;
    return makeFileDesc("ARTICULOS", "ART", "ARTICULO", 720, true,
        {
            field<&R::TEMA>("ART:TEMA", String, 40),
            field<&R::TITULO>("ART:TITULO", String, 40),
            field<&R::ARTICULO>("ART:ARTICULO", String, 40),
            field<&R::LINK1>("ART:LINK1", String, 120),
            field<&R::LINK2>("ART:LINK2", String, 120),
            field<&R::LINK3>("ART:LINK3", String, 120),
            field<&R::LINK4>("ART:LINK4", String, 120),
            field<&R::LINK5>("ART:LINK5", String, 120),
        },
        {
            field<&R::NOTAS1>("ART:NOTAS1", Memo, 5000),
            field<&R::NOTAS2>("ART:NOTAS2", Memo, 5000),
            field<&R::NOTAS3>("ART:NOTAS3", Memo, 5000),
            field<&R::NOTAS4>("ART:NOTAS4", Memo, 5000),
            field<&R::NOTAS5>("ART:NOTAS5", Memo, 5000),
        },
        { { .name = "ART:KTEMA", .components = { "ART:TEMA", "ART:TITULO", "ART:ARTICULO" } } },
        &newRecord<R>);
}

FileDesc ACCESOS::describe()
{
    using R = ACCESOS;
    using enum FieldType;
    FileDesc file = makeFileDesc("ACCESOS", "ACC", "ACCESOS", 70, true,
        {
            field<&R::CLAVE>("ACC:CLAVE", String, 10, "@s10"),
            field<&R::NOMBRE>("ACC:NOMBRE", String, 30, "@s30"),
            field<&R::PUERTAS>("ACC:PUERTAS", Byte, 1, "", 0, 30),
        },
        {}, { { .name = "ACC:KCLAVE", .components = { "ACC:CLAVE" }, .unique = true } }, &newRecord<R>);
    // Users' codes and rights are kept away from anyone reading the disk file.
    file.enciphered = true;
    return file;
}

} // namespace nidora::data
