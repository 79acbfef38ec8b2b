#pragma once

#include "data/Catalogue.h"
#include "data/Schema.h"

#include <QString>

#include <array>
#include <cstdint>

// The files that are not a patient's own history: doctors, the reference tables, the
// medical library and the users with their access rights.
namespace nidora::data {

struct MEDICOS : Record {
    static constexpr FileId fileId = FileId::MEDICOS;
    static FileDesc describe();

    std::uint8_t CODIGO = 0;
    QString NOMBRE;
    QString MATRICULA;
    QString ESPECIALIDAD;
    QString DIRECCION1;
    QString DIRECCION2;
    QString MAIL;
    QString OTROS;
};

// Growth reference values for one age. PESOS and ALTURA are indexed by percentile (3, 10,
// 25, 50, 75, 90, 97 as 0 to 6) and sex (0 boys, 1 girls); PC by deviation (-2 DS, mean,
// +2 DS as 0 to 2) and sex.
struct TABCRECIMIENTO : Record {
    static constexpr FileId fileId = FileId::TABCRECIMIENTO;
    static FileDesc describe();

    std::int16_t EDAD = 0; // months
    std::array<std::array<std::int64_t, 2>, 7> PESOS {}; // DECIMAL(4,3): kg in thousandths
    std::array<std::array<std::int64_t, 2>, 7> ALTURA {}; // DECIMAL(3,1): cm in tenths
    std::array<std::array<std::int64_t, 2>, 3> PC {}; // DECIMAL(3,1): cm in tenths
};

struct MOTIVOS : Record {
    static constexpr FileId fileId = FileId::MOTIVOS;
    static FileDesc describe();

    QString MOTIVO;
};

struct TABENFERMED : Record {
    static constexpr FileId fileId = FileId::TABENFERMED;
    static FileDesc describe();

    QString NOMBRE;

    QString CARACTERISTICAS; // memo
};

struct OBRASSOCIALES : Record {
    static constexpr FileId fileId = FileId::OBRASSOCIALES;
    static FileDesc describe();

    QString NOMBRE;
};

struct PLANVACUNACION : Record {
    static constexpr FileId fileId = FileId::PLANVACUNACION;
    static FileDesc describe();

    QString CODIGO;
    // EDAD
    std::uint8_t ANIOS = 0;
    std::uint8_t MESES = 0;
    std::uint8_t DIAS = 0;
    QString VACUNA;
    QString DOSIS;
};

struct TITULOS : Record {
    static constexpr FileId fileId = FileId::TITULOS;
    static FileDesc describe();

    QString TEMA;
    QString TITULO;
};

struct TEMAS : Record {
    static constexpr FileId fileId = FileId::TEMAS;
    static FileDesc describe();

    QString TEMA;
};

struct ARTICULOS : Record {
    static constexpr FileId fileId = FileId::ARTICULOS;
    static FileDesc describe();

    QString TEMA;
    QString TITULO;
    QString ARTICULO;
    QString LINK1;
    QString LINK2;
    QString LINK3;
    QString LINK4;
    QString LINK5;

    QString NOTAS1; // memo: what LINK1 holds
    QString NOTAS2; // memo
    QString NOTAS3; // memo
    QString NOTAS4; // memo
    QString NOTAS5; // memo
};

struct ACCESOS : Record {
    static constexpr FileId fileId = FileId::ACCESOS;
    static FileDesc describe();

    QString CLAVE;
    QString NOMBRE;
    std::array<std::uint8_t, 30> PUERTAS {}; // right n (from 1) at n-1: 1 granted, 0 not
};

} // namespace nidora::data
