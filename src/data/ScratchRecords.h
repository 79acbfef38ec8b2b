#pragma once

#include "data/Catalogue.h"
#include "data/Schema.h"

#include <QString>

#include <array>
#include <cstdint>

// The scratch files that carry rows from the window computing them to the one showing them:
// the points of a chart and the rows of a report. Each fill throws the previous rows away.
namespace nidora::data {

struct GRAFICO : Record {
    static constexpr FileId fileId = FileId::GRAFICO;
    static FileDesc describe();

    std::uint8_t SERIE = 0;
    QString NSERIE;
    double X = 0;
    QString REFERENCIA;
    double Y = 0;
};

// The meaning of each column is the filler's.
struct OUTPUT : Record {
    static constexpr FileId fileId = FileId::OUTPUT;
    static FileDesc describe();

    QString STRING1;
    QString STRING2;
    QString STRING3;
    QString STRING4;
    double REAL1 = 0;
    double REAL2 = 0;
    double REAL3 = 0;
    std::int32_t LONG1 = 0;
    std::int32_t LONG2 = 0;
    std::int32_t LONG3 = 0;
    std::int16_t SHORT1 = 0;
    std::int16_t SHORT2 = 0;
    std::int16_t SHORT3 = 0;
    std::array<std::int64_t, 15> DECIMAL1 {}; // DECIMAL(5,2) DIM(15): hundredths
    std::array<std::int64_t, 15> DECIMAL2 {}; // DECIMAL(5,2) DIM(15)
    std::array<std::int64_t, 15> DECIMAL3 {}; // DECIMAL(5,2) DIM(15)
};

} // namespace nidora::data
