#pragma once

#include "data/Schema.h"

#include <QString>

#include <array>
#include <cstdint>

// A small data file with one of everything the storage must carry: a numbered LONG code, a
// STRING with a unique case-insensitive key, a STRING with a duplicates key, a DECIMAL, a
// DIM, a REAL whose key indexes blanks, and a memo.
namespace nidora::test {

struct SAMPLE : data::Record {
    std::int32_t CODIGO = 0;
    QString NOMBRE; // STRING(10)
    QString GRUPO; // STRING(6)
    std::int64_t IMPORTE = 0; // DECIMAL(5,2)
    std::array<std::uint8_t, 3> MARCAS {};
    double VALOR = 0;
    QString NOTAS; // memo, 50 characters
};

// SAM:KCODIGO (unique, left out, numbered), SAM:KNOMBRE (unique, left out), SAM:KGRUPO
// (GRUPO, CODIGO; duplicates, left out), SAM:KVALOR (duplicates, blanks indexed).
const data::FileDesc& sampleFile();

inline const data::KeyDesc& sampleKey(const char* name)
{
    return *sampleFile().key(QString::fromUtf8(name));
}

SAMPLE sample(std::int32_t code, const QString& name, const QString& group = {});

} // namespace nidora::test
