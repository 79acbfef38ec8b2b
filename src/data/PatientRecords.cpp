#include "data/PatientRecords.h"

namespace nidora::data {

FileDesc PACIENTES::describe()
{
    using R = PACIENTES;
    using enum FieldType;
    return makeFileDesc("PACIENTES", "PAC", "PACIENTE", 1384, true,
        {
            field<&R::CODIGO>("PAC:CODIGO", Long, 4, "@n7"),
            field<&R::NOMBRE>("PAC:NOMBRE", String, 30, "@s30"),
            field<&R::MEDICO>("PAC:MEDICO", Byte, 1),
            field<&R::SEXO>("PAC:SEXO", String, 1, "@s1"),
            field<&R::GRUPO>("PAC:GRUPO", String, 3, "@s3"),
            field<&R::FNACIMIENTO>("PAC:FNACIMIENTO", Long, 4, "@d6"),
            field<&R::PADRE>("PAC:PADRE", String, 30, "@s30"),
            field<&R::MADRE>("PAC:MADRE", String, 30, "@s30"),
            field<&R::DOMICILIO>("PAC:DOMICILIO", String, 40, "@s40"),
            field<&R::CIUDAD>("PAC:CIUDAD", String, 25, "@s25"),
            field<&R::TELEFONO>("PAC:TELEFONO", String, 30, "@s30"),
            field<&R::TIPODOCUMENTO>("PAC:TIPODOCUMENTO", String, 3, "@s3"),
            field<&R::DOCUMENTO>("PAC:DOCUMENTO", Long, 4, "@n11"),
            field<&R::OBRASOCIAL>("PAC:OBRASOCIAL", String, 20, "@s20"),
            field<&R::NROOBRASOCIAL>("PAC:NROOBRASOCIAL", String, 15, "@s15"),
            field<&R::PLANVACUNACION>("PAC:PLANVACUNACION", String, 1, "@s1"),
            group("PAC:EMBARAZO", 9),
            field<&R::NROGESTACION>("PAC:NROGESTACION", Byte, 1, "@n2"),
            field<&R::SEMANAS>("PAC:SEMANAS", Byte, 1, "@n2"),
            field<&R::DIABETES>("PAC:DIABETES", String, 1),
            field<&R::HIPERTENSION>("PAC:HIPERTENSION", String, 1),
            field<&R::TRAUMATISMO>("PAC:TRAUMATISMO", String, 1),
            field<&R::INFECCIONES>("PAC:INFECCIONES", String, 40, "@s40"),
            field<&R::MEDICACION>("PAC:MEDICACION", String, 40, "@s40"),
            field<&R::ASMA>("PAC:ASMA", String, 30, "@s30"),
            field<&R::OBSTETRA>("PAC:OBSTETRA", String, 20, "@s20"),
            group("PAC:PARTO", 16),
            field<&R::LUGAR>("PAC:LUGAR", String, 20, "@s20"),
            field<&R::POSICION>("PAC:POSICION", String, 1),
            field<&R::EUTOSICO>("PAC:EUTOSICO", String, 1),
            field<&R::CESAREA>("PAC:CESAREA", String, 1),
            field<&R::CAUSA>("PAC:CAUSA", String, 40, "@s40"),
            field<&R::APGAR>("PAC:APGAR", String, 15, "@s15"),
            field<&R::PARTOGAMMA>("PAC:PARTOGAMMA", String, 20, "@s20"),
            field<&R::ANESTECIA>("PAC:ANESTECIA", String, 1),
            field<&R::PARTOOBSERVACIONES>("PAC:PARTOOBSERVACIONES", String, 150, "@s150"),
            field<&R::PARTOOBSERVACIONES2>("PAC:PARTOOBSERVACIONES2", String, 150, "@s150"),
            field<&R::PARTOOBSERVACIONES3>("PAC:PARTOOBSERVACIONES3", String, 150, "@s150"),
            field<&R::PESO>("PAC:PESO", Decimal, 4, "@n6.3", 3),
            field<&R::ALTURA>("PAC:ALTURA", Byte, 1, "@n3"),
            field<&R::PC>("PAC:PC", Decimal, 3, "@n5.2", 2),
            field<&R::OMBLIGODIAS>("PAC:OMBLIGODIAS", Byte, 1, "@n2"),
            field<&R::OMBOBSERVACIONES>("PAC:OMBOBSERVACIONES", String, 150, "@s150"),
            group("PAC:ALIMENTACION", 13),
            field<&R::PECHO>("PAC:PECHO", String, 20, "@s20"),
            field<&R::HPECHO>("PAC:HPECHO", Byte, 1, "@n3"),
            field<&R::GLUTEN>("PAC:GLUTEN", String, 20, "@s20"),
            field<&R::DGLUTEN>("PAC:DGLUTEN", Byte, 1, "@n3"),
            field<&R::HGLUTEN>("PAC:HGLUTEN", Byte, 1),
            field<&R::SOLIDOS>("PAC:SOLIDOS", String, 20, "@s20"),
            field<&R::DSOLIDOS>("PAC:DSOLIDOS", Byte, 1, "@n3"),
            field<&R::SUPLEMENTO>("PAC:SUPLEMENTO", String, 20, "@s20"),
            field<&R::DSUPLEMENTO>("PAC:DSUPLEMENTO", Byte, 1, "@n3"),
            field<&R::HSUPLEMENTO>("PAC:HSUPLEMENTO", Byte, 1),
            field<&R::NOTAS>("PAC:NOTAS", String, 150, "@s150"),
            field<&R::MATFECAL>("PAC:MATFECAL", String, 20),
            field<&R::ORINA>("PAC:ORINA", String, 20),
            group("PAC:MOTOR", 6),
            field<&R::SENTADO>("PAC:SENTADO", Long, 4, "@d6"),
            field<&R::DEPIECA>("PAC:DEPIECA", Long, 4, "@d6"),
            field<&R::GATEA>("PAC:GATEA", Long, 4, "@d6"),
            field<&R::ANDACA>("PAC:ANDACA", Long, 4, "@d6"),
            field<&R::DEPIE>("PAC:DEPIE", Long, 4, "@d6"),
            field<&R::ANDA>("PAC:ANDA", Long, 4, "@d6"),
        },
        { field<&R::EMBOBSERVACIONES>("PAC:EMBOBSERVACIONES", Memo, 500) },
        {
            { .name = "PAC:KCODIGO",
                .components = { "PAC:CODIGO" },
                .unique = true,
                .autoNumber = true,
                .description = "Indice por código" },
            { .name = "PAC:KNOMBRE", .components = { "PAC:NOMBRE" }, .description = "Key x Nombres" },
            { .name = "PAC:KGRUPO",
                .components = { "PAC:GRUPO", "PAC:NOMBRE" },
                .description = "Indice por grupo sanguineo" },
            { .name = "PAC:KOBRASOCIAL", .components = { "PAC:OBRASOCIAL", "PAC:NOMBRE" } },
            { .name = "PAC:KMADRE", .components = { "PAC:MADRE", "PAC:FNACIMIENTO" } },
            { .name = "PAC:KPADRE", .components = { "PAC:PADRE", "PAC:FNACIMIENTO" } },
            { .name = "PAC:KMEDICO", .components = { "PAC:MEDICO", "PAC:CODIGO" } },
        },
        &newRecord<R>);
}

FileDesc MADRES::describe()
{
    using R = MADRES;
    using enum FieldType;
    return makeFileDesc("MADRES", "MAD", "MADRES", 148, true,
        {
            field<&R::NOMBRE>("MAD:NOMBRE", String, 30, "@s30"),
            field<&R::GRUPO>("MAD:GRUPO", String, 3),
            field<&R::DOMICILIO>("MAD:DOMICILIO", String, 40, "@s40"),
            field<&R::CIUDAD>("MAD:CIUDAD", String, 25, "@s25"),
            field<&R::TELEFONO>("MAD:TELEFONO", String, 30, "@s30"),
            field<&R::OBRASOCIAL>("MAD:OBRASOCIAL", String, 20, "@s20"),
        },
        { field<&R::ANTECEDENTES>("MAD:ANTECEDENTES", Memo, 1000) },
        {
            // A mother without a name is still listed in name order.
            { .name = "MAD:KNOMBRE",
                .components = { "MAD:NOMBRE" },
                .blanksIndexed = true,
                .description = "Indice por Nombres" },
            { .name = "MAD:KGRUPO",
                .components = { "MAD:GRUPO", "MAD:NOMBRE" },
                .description = "Indice por grupo sanguineo" },
            { .name = "MAD:KOBRASOCIAL", .components = { "MAD:OBRASOCIAL", "MAD:NOMBRE" } },
        },
        &newRecord<R>);
}

FileDesc PADRES::describe()
{
    using R = PADRES;
    using enum FieldType;
    return makeFileDesc("PADRES", "PAD", "PADRES", 33, true,
        {
            field<&R::NOMBRE>("PAD:NOMBRE", String, 30, "@s30"),
            field<&R::GRUPO>("PAD:GRUPO", String, 3),
        },
        { field<&R::ANTECEDENTES>("PAD:ANTECEDENTES", Memo, 1000) },
        {
            // A father without a name is still listed in name order.
            { .name = "PAD:KNOMBRE",
                .components = { "PAD:NOMBRE" },
                .blanksIndexed = true,
                .description = "Indice por Nombres" },
            { .name = "PAD:KGRUPO",
                .components = { "PAD:GRUPO", "PAD:NOMBRE" },
                .description = "Indice por grupo sanguineo" },
        },
        &newRecord<R>);
}

FileDesc FOTOS::describe()
{
    using R = FOTOS;
    using enum FieldType;
    return makeFileDesc("FOTOS", "FOT", "FOTOS", 164, true,
        {
            field<&R::PACIENTE>("FOT:PACIENTE", Long, 4),
            field<&R::ARCHIVO>("FOT:ARCHIVO", String, 160),
        },
        {},
        {
            // At most one photo per patient.
            { .name = "FOT:KPACIENTE", .components = { "FOT:PACIENTE" }, .unique = true },
        },
        &newRecord<R>);
}

FileDesc NOTASIMPO::describe()
{
    using R = NOTASIMPO;
    using enum FieldType;
    return makeFileDesc("NOTASIMPO", "NTA", "NOTASIMP", 94, true,
        {
            field<&R::PACIENTE>("NTA:PACIENTE", Long, 4),
            field<&R::NOTA1>("NTA:NOTA1", String, 30),
            field<&R::NOTA2>("NTA:NOTA2", String, 30),
            field<&R::NOTA3>("NTA:NOTA3", String, 30),
        },
        {}, { { .name = "NTA:KPACIENTE", .components = { "NTA:PACIENTE" } } }, &newRecord<R>);
}

} // namespace nidora::data
