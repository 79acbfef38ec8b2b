#pragma once

#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"

#include <cstdint>

// The records of the small practice the tests lay out, with just the fields a test names.
namespace nidora::test {

inline data::PACIENTES patient(
    std::int32_t code, const char* name = "", const char* provider = "", const char* mother = "")
{
    data::PACIENTES p;
    p.CODIGO = code;
    p.NOMBRE = QString::fromUtf8(name);
    p.OBRASOCIAL = QString::fromUtf8(provider);
    p.MADRE = QString::fromUtf8(mother);
    return p;
}

inline data::CONSULTAS consultation(
    std::int32_t code, std::int32_t patientCode, const char* reason = "CONTROL")
{
    data::CONSULTAS c;
    c.CODIGO = code;
    c.PACIENTE = patientCode;
    c.FECHA = 80000 + code;
    c.MOTIVO = QString::fromUtf8(reason);
    return c;
}

// A case of a pathology recorded for a patient on a date.
inline data::ENFERMEDADES pathologyCase(std::int32_t patientCode, std::int32_t date, const char* name)
{
    data::ENFERMEDADES e;
    e.PACIENTE = patientCode;
    e.FECHA = date;
    e.ENFERMEDAD = QString::fromUtf8(name);
    return e;
}

inline data::MEDICOS doctor(std::uint8_t code, const char* name)
{
    data::MEDICOS d;
    d.CODIGO = code;
    d.NOMBRE = QString::fromUtf8(name);
    return d;
}

// A doctor with every line of a page header filled in.
inline data::MEDICOS doctorWithHeader(std::uint8_t code, const char* name)
{
    data::MEDICOS d = doctor(code, name);
    d.MATRICULA = QStringLiteral("M.P. %1").arg(12340 + code);
    d.ESPECIALIDAD = QStringLiteral("Pediatría");
    d.DIRECCION1 = QStringLiteral("Av. San Martín 1234");
    d.DIRECCION2 = QStringLiteral("Rosario");
    d.OTROS = QStringLiteral("Tel. 0341 4401234");
    d.MAIL = QStringLiteral("consultorio@ejemplo.com.ar");
    return d;
}

inline data::TEMAS topic(const char* name)
{
    data::TEMAS t;
    t.TEMA = QString::fromUtf8(name);
    return t;
}

inline data::TITULOS title(const char* topicName, const char* name)
{
    data::TITULOS t;
    t.TEMA = QString::fromUtf8(topicName);
    t.TITULO = QString::fromUtf8(name);
    return t;
}

inline data::ARTICULOS article(const char* topicName, const char* titleName, const char* name)
{
    data::ARTICULOS a;
    a.TEMA = QString::fromUtf8(topicName);
    a.TITULO = QString::fromUtf8(titleName);
    a.ARTICULO = QString::fromUtf8(name);
    return a;
}

} // namespace nidora::test
