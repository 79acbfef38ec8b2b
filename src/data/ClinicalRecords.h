#pragma once

#include "data/Catalogue.h"
#include "data/Schema.h"

#include <QString>

#include <cstdint>

// A patient's clinical history (consultations, pathologies, vaccinations, studies) and the
// appointment book. Each names its patient by PAC:CODIGO. Dates are day numbers and times
// hundredths of a second since midnight plus one, 0 for none.
namespace nidora::data {

struct CONSULTAS : Record {
    static constexpr FileId fileId = FileId::CONSULTAS;
    static FileDesc describe();

    std::int32_t CODIGO = 0;
    std::int32_t PACIENTE = 0;
    std::int32_t FECHA = 0;
    QString MOTIVO;
    QString DIAGNOSTICOP;
    QString DIAGNOSTICOF;
    // EDAD
    std::uint8_t ANIOS = 0;
    std::uint8_t MESES = 0;
    std::uint8_t DIAS = 0;
    std::int64_t PESO = 0; // DECIMAL(4,3): kg in thousandths
    std::int64_t ALTURA = 0; // DECIMAL(3,1): cm in tenths
    std::int16_t MEDIDA = 0;
    std::int64_t PC = 0; // DECIMAL(3,1): cm in tenths
    std::uint8_t MEDICO = 0;
    std::uint8_t FC = 0;
    std::int64_t TEMPERATURA = 0; // DECIMAL(2,1): degrees in tenths
    std::int64_t FR = 0; // DECIMAL(3,2): per minute in hundredths
    std::int16_t TA1 = 0;
    std::int16_t TA2 = 0;
    std::int64_t BONOSOBRASOCIAL = 0; // DECIMAL(4,2): amount in hundredths
    std::int64_t HONORARIOS = 0; // DECIMAL(5,2): amount in hundredths
    QString FACTURA;

    QString SINTOMATOLOGIA; // memo
    QString MEDICACION; // memo
    QString RECETA; // memo
    QString OBSERVACIONES; // memo
};

struct ENFERMEDADES : Record {
    static constexpr FileId fileId = FileId::ENFERMEDADES;
    static FileDesc describe();

    std::int32_t PACIENTE = 0;
    std::int32_t FECHA = 0;
    // EDAD
    std::uint8_t ANIOS = 0;
    std::uint8_t MESES = 0;
    std::uint8_t DIAS = 0;
    QString ENFERMEDAD;

    QString OBSERVACIONES; // memo
};

struct VACUNACION : Record {
    static constexpr FileId fileId = FileId::VACUNACION;
    static FileDesc describe();

    std::int32_t PACIENTE = 0;
    std::int32_t FECHAPROG = 0;
    std::int32_t FECHAREAL = 0;
    QString VACUNA;
    QString DOSIS;
};

struct ANALISIS : Record {
    static constexpr FileId fileId = FileId::ANALISIS;
    static FileDesc describe();

    std::int32_t CONSULTA = 0;
    std::int32_t PACIENTE = 0;
    std::int32_t FECHA = 0;
    QString ANALISIS_; // ANA:ANALISIS; a member cannot share its struct's name
    QString ARCHIVO;

    QString RESULTADOS; // memo
};

struct AGENDA : Record {
    static constexpr FileId fileId = FileId::AGENDA;
    static FileDesc describe();

    std::int32_t FECHA = 0;
    std::int32_t HORA = 0;
    std::uint8_t DURACION = 0;
    std::int32_t PACIENTE = 0;
    QString NOMBRE;
    QString COMENTARIOS;
    std::uint8_t MEDICO = 0;
};

} // namespace nidora::data
