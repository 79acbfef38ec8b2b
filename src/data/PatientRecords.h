#pragma once

#include "data/Catalogue.h"
#include "data/Schema.h"

#include <QString>

#include <cstdint>

// A patient and his family: the patient with his birth, pregnancy, feeding and motor
// history, his mother and father (linked by name), his photo file and his important notes.
// Dates are day numbers, 0 for none; texts are held without trailing spaces.
namespace nidora::data {

struct PACIENTES : Record {
    static constexpr FileId fileId = FileId::PACIENTES;
    static FileDesc describe();

    std::int32_t CODIGO = 0;
    QString NOMBRE;
    std::uint8_t MEDICO = 0;
    QString SEXO;
    QString GRUPO;
    std::int32_t FNACIMIENTO = 0;
    QString PADRE;
    QString MADRE;
    QString DOMICILIO;
    QString CIUDAD;
    QString TELEFONO;
    QString TIPODOCUMENTO;
    std::int32_t DOCUMENTO = 0;
    QString OBRASOCIAL;
    QString NROOBRASOCIAL;
    QString PLANVACUNACION;
    // EMBARAZO
    std::uint8_t NROGESTACION = 0;
    std::uint8_t SEMANAS = 0;
    QString DIABETES;
    QString HIPERTENSION;
    QString TRAUMATISMO;
    QString INFECCIONES;
    QString MEDICACION;
    QString ASMA;
    QString OBSTETRA;
    // PARTO
    QString LUGAR;
    QString POSICION;
    QString EUTOSICO;
    QString CESAREA;
    QString CAUSA;
    QString APGAR;
    QString PARTOGAMMA;
    QString ANESTECIA;
    QString PARTOOBSERVACIONES;
    QString PARTOOBSERVACIONES2;
    QString PARTOOBSERVACIONES3;
    std::int64_t PESO = 0; // DECIMAL(4,3): kg in thousandths
    std::uint8_t ALTURA = 0;
    std::int64_t PC = 0; // DECIMAL(3,2): cm in hundredths
    std::uint8_t OMBLIGODIAS = 0;
    QString OMBOBSERVACIONES;
    // ALIMENTACION
    QString PECHO;
    std::uint8_t HPECHO = 0;
    QString GLUTEN;
    std::uint8_t DGLUTEN = 0;
    std::uint8_t HGLUTEN = 0;
    QString SOLIDOS;
    std::uint8_t DSOLIDOS = 0;
    QString SUPLEMENTO;
    std::uint8_t DSUPLEMENTO = 0;
    std::uint8_t HSUPLEMENTO = 0;
    QString NOTAS;
    QString MATFECAL;
    QString ORINA;
    // MOTOR: the date each milestone was observed
    std::int32_t SENTADO = 0;
    std::int32_t DEPIECA = 0;
    std::int32_t GATEA = 0;
    std::int32_t ANDACA = 0;
    std::int32_t DEPIE = 0;
    std::int32_t ANDA = 0;

    QString EMBOBSERVACIONES; // memo
};

struct MADRES : Record {
    static constexpr FileId fileId = FileId::MADRES;
    static FileDesc describe();

    QString NOMBRE;
    QString GRUPO;
    QString DOMICILIO;
    QString CIUDAD;
    QString TELEFONO;
    QString OBRASOCIAL;

    QString ANTECEDENTES; // memo
};

struct PADRES : Record {
    static constexpr FileId fileId = FileId::PADRES;
    static FileDesc describe();

    QString NOMBRE;
    QString GRUPO;

    QString ANTECEDENTES; // memo
};

struct FOTOS : Record {
    static constexpr FileId fileId = FileId::FOTOS;
    static FileDesc describe();

    std::int32_t PACIENTE = 0;
    QString ARCHIVO;
};

struct NOTASIMPO : Record {
    static constexpr FileId fileId = FileId::NOTASIMPO;
    static FileDesc describe();

    std::int32_t PACIENTE = 0;
    QString NOTA1;
    QString NOTA2;
    QString NOTA3;
};

} // namespace nidora::data
