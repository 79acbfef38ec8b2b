#include "data/ClinicalRecords.h"

namespace nidora::data {

FileDesc CONSULTAS::describe()
{
    using R = CONSULTAS;
    using enum FieldType;
    return makeFileDesc("CONSULTAS", "CON", "CONSULTA", 172, true,
        {
            field<&R::CODIGO>("CON:CODIGO", Long, 4, "@n10"),
            field<&R::PACIENTE>("CON:PACIENTE", Long, 4, "@n_7"),
            field<&R::FECHA>("CON:FECHA", Long, 4, "@D6"),
            field<&R::MOTIVO>("CON:MOTIVO", String, 25, "@s20"),
            field<&R::DIAGNOSTICOP>("CON:DIAGNOSTICOP", String, 40, "@s40"),
            field<&R::DIAGNOSTICOF>("CON:DIAGNOSTICOF", String, 40, "@s40"),
            group("CON:EDAD", 3),
            field<&R::ANIOS>("CON:ANIOS", Byte, 1, "@N3~a~"),
            field<&R::MESES>("CON:MESES", Byte, 1, "@N3~m~"),
            field<&R::DIAS>("CON:DIAS", Byte, 1, "@N3~d~"),
            field<&R::PESO>("CON:PESO", Decimal, 4, "@n7.3", 3),
            field<&R::ALTURA>("CON:ALTURA", Decimal, 3, "@n-6.1", 1),
            field<&R::MEDIDA>("CON:MEDIDA", Short, 2),
            field<&R::PC>("CON:PC", Decimal, 3, "@n-6.1", 1),
            field<&R::MEDICO>("CON:MEDICO", Byte, 1),
            field<&R::FC>("CON:FC", Byte, 1, "@n3"),
            field<&R::TEMPERATURA>("CON:TEMPERATURA", Decimal, 2, "@n4.1", 1),
            field<&R::FR>("CON:FR", Decimal, 3, "@n3", 2),
            field<&R::TA1>("CON:TA1", Short, 2, "@n3"),
            field<&R::TA2>("CON:TA2", Short, 2, "@n3"),
            field<&R::BONOSOBRASOCIAL>("CON:BONOSOBRASOCIAL", Decimal, 4, "", 2),
            field<&R::HONORARIOS>("CON:HONORARIOS", Decimal, 5, "@n-13.2", 2),
            field<&R::FACTURA>("CON:FACTURA", String, 20, "@s20"),
        },
        {
            field<&R::SINTOMATOLOGIA>("CON:SINTOMATOLOGIA", Memo, 1000),
            field<&R::MEDICACION>("CON:MEDICACION", Memo, 1000),
            field<&R::RECETA>("CON:RECETA", Memo, 2000),
            field<&R::OBSERVACIONES>("CON:OBSERVACIONES", Memo, 1000),
        },
        {
            { .name = "CON:KCODIGO", .components = { "CON:CODIGO" }, .unique = true, .autoNumber = true },
            { .name = "CON:KMOTIVO", .components = { "CON:MOTIVO", "CON:FECHA", "CON:CODIGO" } },
            { .name = "CON:KPACIENTE", .components = { "CON:PACIENTE", "CON:FECHA" } },
            { .name = "CON:KMEDICO", .components = { "CON:MEDICO", "CON:CODIGO" } },
        },
        &newRecord<R>);
}

FileDesc ENFERMEDADES::describe()
{
    using R = ENFERMEDADES;
    using enum FieldType;
    return makeFileDesc("ENFERMEDADES", "ENF", "ENFERMED", 31, true,
        {
            field<&R::PACIENTE>("ENF:PACIENTE", Long, 4, "@n7"),
            field<&R::FECHA>("ENF:FECHA", Long, 4, "@D6"),
            group("ENF:EDAD", 3),
            field<&R::ANIOS>("ENF:ANIOS", Byte, 1, "@n3~a~"),
            field<&R::MESES>("ENF:MESES", Byte, 1, "@n3~m~"),
            field<&R::DIAS>("ENF:DIAS", Byte, 1, "@N3~d~"),
            field<&R::ENFERMEDAD>("ENF:ENFERMEDAD", String, 20, "@s20"),
        },
        { field<&R::OBSERVACIONES>("ENF:OBSERVACIONES", Memo, 1000) },
        {
            // One row per patient, date and pathology.
            { .name = "ENF:KPACIENTE",
                .components = { "ENF:PACIENTE", "ENF:FECHA", "ENF:ENFERMEDAD" },
                .unique = true },
            { .name = "ENF:KENFERMEDAD", .components = { "ENF:ENFERMEDAD", "ENF:FECHA", "ENF:PACIENTE" } },
        },
        &newRecord<R>);
}

FileDesc VACUNACION::describe()
{
    using R = VACUNACION;
    using enum FieldType;
    return makeFileDesc("VACUNACION", "VAC", "VACUNACI", 42, true,
        {
            field<&R::PACIENTE>("VAC:PACIENTE", Long, 4, "@n7"),
            field<&R::FECHAPROG>("VAC:FECHAPROG", Long, 4, "@D6"),
            field<&R::FECHAREAL>("VAC:FECHAREAL", Long, 4, "@D6"),
            field<&R::VACUNA>("VAC:VACUNA", String, 20, "@s20"),
            field<&R::DOSIS>("VAC:DOSIS", String, 10, "@s10"),
        },
        {},
        {
            // One row per patient, planned date and vaccine.
            { .name = "VAC:KPACIENTE",
                .components = { "VAC:PACIENTE", "VAC:FECHAPROG", "VAC:VACUNA" },
                .unique = true },
        },
        &newRecord<R>);
}

FileDesc ANALISIS::describe()
{
    using R = ANALISIS;
    using enum FieldType;
    return makeFileDesc("ANALISIS", "ANA", "ANALISIS", 222, true,
        {
            field<&R::CONSULTA>("ANA:CONSULTA", Long, 4),
            field<&R::PACIENTE>("ANA:PACIENTE", Long, 4, "@n7"),
            field<&R::FECHA>("ANA:FECHA", Long, 4),
            field<&R::ANALISIS_>("ANA:ANALISIS", String, 30, "@s30"),
            field<&R::ARCHIVO>("ANA:ARCHIVO", String, 180, "@s180"),
        },
        { field<&R::RESULTADOS>("ANA:RESULTADOS", Memo, 2000) },
        {
            { .name = "ANA:KPACIENTE", .components = { "ANA:PACIENTE", "ANA:FECHA" } },
            { .name = "ANA:KCONSULTA", .components = { "ANA:CONSULTA", "ANA:ANALISIS" } },
            { .name = "ANA:KFECHA", .components = { "ANA:FECHA", "ANA:PACIENTE" } },
        },
        &newRecord<R>);
}

FileDesc AGENDA::describe()
{
    using R = AGENDA;
    using enum FieldType;
    return makeFileDesc("AGENDA", "AGE", "AGENDA", 94, true,
        {
            field<&R::FECHA>("AGE:FECHA", Long, 4, "@D6"),
            field<&R::HORA>("AGE:HORA", Long, 4, "@T1"),
            field<&R::DURACION>("AGE:DURACION", Byte, 1),
            field<&R::PACIENTE>("AGE:PACIENTE", Long, 4, "@n7"),
            field<&R::NOMBRE>("AGE:NOMBRE", String, 30, "@s30"),
            field<&R::COMENTARIOS>("AGE:COMENTARIOS", String, 50, "@s50"),
            field<&R::MEDICO>("AGE:MEDICO", Byte, 1, "@n2"),
        },
        {},
        {
            // One slot per day, time and doctor.
            { .name = "AGE:KFECHA", .components = { "AGE:FECHA", "AGE:HORA", "AGE:MEDICO" }, .unique = true },
            // A free slot (patient 0) of a real day is still indexed: only all-zero rows are left out.
            { .name = "AGE:KPACIENTE", .components = { "AGE:PACIENTE", "AGE:FECHA", "AGE:MEDICO" } },
        },
        &newRecord<R>);
}

} // namespace nidora::data
