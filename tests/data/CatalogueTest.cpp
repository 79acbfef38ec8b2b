#include "data/Catalogue.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "data/ScratchRecords.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

namespace nidora::data {
namespace {

QStringList keyNames(bool (*chosen)(const KeyDesc&))
{
    QStringList names;
    for (const FileDesc& file : catalogue()) {
        for (const KeyDesc& key : file.keys) {
            if (chosen(key))
                names << key.name;
        }
    }
    return names;
}

QString componentNames(const FileDesc& file, const KeyDesc& key)
{
    QStringList names;
    for (int index : key.components)
        names << file.fields[std::size_t(index)].name;
    return names.join(QLatin1Char(','));
}

TEST(Catalogue, EveryFileMatchesItsCatalogueRow)
{
    struct Row {
        FileId id;
        const char* label;
        const char* prefix;
        const char* diskName;
        int bytes;
        int keys;
        int memos;
        bool created;
    };
    const Row rows[] = {
        { FileId::PACIENTES, "PACIENTES", "PAC", "PACIENTE", 1384, 7, 1, true },
        { FileId::MADRES, "MADRES", "MAD", "MADRES", 148, 3, 1, true },
        { FileId::PADRES, "PADRES", "PAD", "PADRES", 33, 2, 1, true },
        { FileId::FOTOS, "FOTOS", "FOT", "FOTOS", 164, 1, 0, true },
        { FileId::NOTASIMPO, "NOTASIMPO", "NTA", "NOTASIMP", 94, 1, 0, true },
        { FileId::CONSULTAS, "CONSULTAS", "CON", "CONSULTA", 172, 4, 4, true },
        { FileId::ENFERMEDADES, "ENFERMEDADES", "ENF", "ENFERMED", 31, 2, 1, true },
        { FileId::VACUNACION, "VACUNACION", "VAC", "VACUNACI", 42, 1, 0, true },
        { FileId::ANALISIS, "ANALISIS", "ANA", "ANALISIS", 222, 3, 1, true },
        { FileId::AGENDA, "AGENDA", "AGE", "AGENDA", 94, 2, 0, true },
        { FileId::MEDICOS, "MEDICOS", "MED", "MEDICOS", 211, 1, 0, true },
        { FileId::TABCRECIMIENTO, "TABCRECIMIENTO", "TCR", "TABCRECI", 118, 1, 0, true },
        { FileId::MOTIVOS, "MOTIVOS", "MOT", "MOTIVOS", 25, 1, 0, true },
        { FileId::TABENFERMED, "TABENFERMED", "TEN", "TABENFER", 20, 1, 1, false },
        { FileId::OBRASSOCIALES, "OBRASSOCIALES", "OBR", "OBRASSOC", 20, 1, 0, true },
        { FileId::PLANVACUNACION, "PLANVACUNACION", "PLA", "PLANVACU", 34, 2, 0, true },
        { FileId::TITULOS, "TITULOS", "TIT", "TITULOS", 80, 1, 0, true },
        { FileId::TEMAS, "TEMAS", "TEM", "TEMAS", 40, 1, 0, true },
        { FileId::ARTICULOS, "ARTICULOS", "ART", "ARTICULO", 720, 1, 5, true },
        { FileId::ACCESOS, "ACCESOS", "ACC", "ACCESOS", 70, 1, 0, true },
        { FileId::GRAFICO, "GRAFICO", "GRA", "GRAFICO", 77, 1, 0, true },
        { FileId::OUTPUT, "OUTPUT", "OUT", "OUTPUT", 387, 5, 0, true },
    };
    ASSERT_EQ(catalogue().size(), std::size(rows));
    for (const Row& row : rows) {
        const FileDesc& file = fileDesc(row.id);
        SCOPED_TRACE(row.label);
        EXPECT_EQ(file.label, QString::fromUtf8(row.label));
        EXPECT_EQ(file.prefix, QString::fromUtf8(row.prefix));
        EXPECT_EQ(file.fileName(), QString::fromUtf8(row.diskName) + QStringLiteral(".QVM"));
        EXPECT_EQ(file.recordBytes, row.bytes);
        EXPECT_EQ(file.declaredBytes(), row.bytes) << "a field is missing or has the wrong size";
        EXPECT_EQ(file.keys.size(), std::size_t(row.keys));
        EXPECT_EQ(file.memos.size(), std::size_t(row.memos));
        EXPECT_EQ(file.createdWhenMissing, row.created);
        EXPECT_EQ(file.enciphered, row.id == FileId::ACCESOS);
        EXPECT_EQ(findFileDesc(file.label.toLower()), &file);
    }
    EXPECT_EQ(findFileDesc(QStringLiteral("PACIENTE")), nullptr) << "a disk name is not a label";
}

TEST(Catalogue, NamesCarryTheirFilePrefixAndAreUniqueWithinTheFile)
{
    for (const FileDesc& file : catalogue()) {
        SCOPED_TRACE(file.label.toStdString());
        QSet<QString> seen;
        auto check = [&](const QString& name, const QString& start) {
            EXPECT_TRUE(name.startsWith(start)) << name.toStdString();
            EXPECT_FALSE(seen.contains(name)) << name.toStdString() << " declared twice";
            seen.insert(name);
        };
        // A field or memo is found by its full name alone, so no two files share a prefix.
        for (const FieldDesc& f : file.fields) {
            check(f.name, file.prefix + QLatin1Char(':'));
            EXPECT_EQ(findFieldDesc(f.name.toLower()), &f);
        }
        for (const FieldDesc& m : file.memos) {
            check(m.name, file.prefix + QLatin1Char(':'));
            EXPECT_EQ(findFieldDesc(m.name), &m);
        }
        for (const KeyDesc& k : file.keys)
            check(k.name, file.prefix + QStringLiteral(":K"));
    }
    for (const char* unknown : { "PAC:NADA", "XYZ:NOMBRE", "NOMBRE", ":NOMBRE", "" })
        EXPECT_EQ(findFieldDesc(QString::fromLatin1(unknown)), nullptr) << unknown;
}

// A fresh record reads blank everywhere; then a distinct value goes into every element of
// every field and memo and all are read back, so a descriptor wired to another field's
// member shows up here.
TEST(Catalogue, EveryDescriptorReachesItsOwnMemberOfAClearedRecord)
{
    for (const FileDesc& file : catalogue()) {
        SCOPED_TRACE(file.label.toStdString());
        std::unique_ptr<Record> record = file.makeRecord();
        ASSERT_TRUE(record);
        std::vector<const FieldDesc*> all;
        for (const FieldDesc& f : file.fields) {
            if (f.type != FieldType::Group)
                all.push_back(&f);
        }
        for (const FieldDesc& m : file.memos)
            all.push_back(&m);

        auto valueFor = [](const FieldDesc& f, int serial) -> FieldValue {
            switch (f.type) {
            case FieldType::String:
            case FieldType::Memo:
                return QStringLiteral("v%1").arg(serial);
            case FieldType::Real:
                return serial + 0.5;
            case FieldType::Byte:
                return std::int64_t(serial % 250 + 1);
            default:
                return std::int64_t(serial + 1);
            }
        };
        auto forEachElement = [&](auto visit) {
            int serial = 0;
            for (const FieldDesc* f : all) {
                for (int i = 0; i < std::max(f->dim1, 1); ++i) {
                    for (int j = 0; j < std::max(f->dim2, 1); ++j)
                        visit(*f, i, j, serial++);
                }
            }
        };

        forEachElement([&](const FieldDesc& f, int i, int j, int) {
            const FieldValue v = f.get(*record, i, j);
            const bool blank = std::holds_alternative<QString>(v) ? std::get<QString>(v).isEmpty()
                : std::holds_alternative<double>(v)               ? std::get<double>(v) == 0
                                                                  : std::get<std::int64_t>(v) == 0;
            EXPECT_TRUE(blank) << f.name.toStdString() << " is not cleared";
        });
        forEachElement(
            [&](const FieldDesc& f, int i, int j, int serial) { f.set(*record, i, j, valueFor(f, serial)); });
        forEachElement([&](const FieldDesc& f, int i, int j, int serial) {
            EXPECT_EQ(f.get(*record, i, j), valueFor(f, serial))
                << f.name.toStdString() << "(" << i << "," << j << ")";
        });
    }
}

TEST(Catalogue, FieldsAreNumberedInDeclaredOrderWithEachGroupCountingOnce)
{
    const FileDesc& consultas = fileDesc<CONSULTAS>();
    const char* names[] = { "CON:CODIGO", "CON:PACIENTE", "CON:FECHA", "CON:MOTIVO", "CON:DIAGNOSTICOP",
        "CON:DIAGNOSTICOF", "CON:EDAD", "CON:ANIOS", "CON:MESES", "CON:DIAS", "CON:PESO", "CON:ALTURA",
        "CON:MEDIDA", "CON:PC", "CON:MEDICO", "CON:FC", "CON:TEMPERATURA", "CON:FR", "CON:TA1", "CON:TA2",
        "CON:BONOSOBRASOCIAL", "CON:HONORARIOS", "CON:FACTURA" };
    ASSERT_EQ(consultas.fields.size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(consultas.fields[i].name, QString::fromUtf8(names[i]));
        EXPECT_EQ(consultas.fields[i].number, int(i) + 1);
    }
    EXPECT_EQ(consultas.field(QStringLiteral("CON:EDAD"))->type, FieldType::Group);
    EXPECT_EQ(consultas.field(QStringLiteral("con:anios"))->number, 8) << "names match regardless of case";
    EXPECT_EQ(consultas.field(QStringLiteral("CON:RECETA"))->type, FieldType::Memo)
        << "memos are found by name";
    EXPECT_EQ(consultas.fieldIndex(QStringLiteral("CON:RECETA")), -1) << "memos are not numbered fields";

    const FileDesc& pacientes = fileDesc<PACIENTES>();
    EXPECT_EQ(pacientes.fields.size(), 64u);
    EXPECT_EQ(pacientes.field(QStringLiteral("PAC:EMBARAZO"))->number, 17);
    EXPECT_EQ(pacientes.field(QStringLiteral("PAC:PESO"))->number, 39);
    EXPECT_EQ(pacientes.field(QStringLiteral("PAC:ANDA"))->number, 64);
}

TEST(Catalogue, GroupsHoldOnlyTheFieldsThatBelongToThem)
{
    struct Row {
        FileId file;
        const char* group;
        int number;
        int end;
    };
    const Row rows[] = {
        { FileId::PACIENTES, "PAC:EMBARAZO", 17, 26 },
        { FileId::PACIENTES, "PAC:PARTO", 27, 43 },
        { FileId::PACIENTES, "PAC:ALIMENTACION", 44, 57 },
        { FileId::PACIENTES, "PAC:MOTOR", 58, 64 },
        { FileId::CONSULTAS, "CON:EDAD", 7, 10 }, // the weight after the age is not part of it
        { FileId::ENFERMEDADES, "ENF:EDAD", 3, 6 },
        { FileId::PLANVACUNACION, "PLA:EDAD", 2, 5 },
    };
    QStringList expected;
    for (const Row& row : rows) {
        const FieldDesc* group = fileDesc(row.file).field(QString::fromUtf8(row.group));
        ASSERT_TRUE(group) << row.group;
        EXPECT_EQ(group->number, row.number) << row.group;
        EXPECT_EQ(group->groupEnd, row.end) << row.group;
        expected << QString::fromUtf8(row.group);
    }
    QStringList declared;
    for (const FileDesc& file : catalogue()) {
        for (const FieldDesc& f : file.fields) {
            if (f.type == FieldType::Group)
                declared << f.name;
        }
    }
    EXPECT_EQ(declared, expected);
}

TEST(Catalogue, KeysHaveTheirComponentsInOrderAndTheirUniqueness)
{
    struct Row {
        FileId file;
        const char* key;
        const char* components;
        bool unique;
    };
    const Row rows[] = {
        { FileId::PACIENTES, "PAC:KCODIGO", "PAC:CODIGO", true },
        { FileId::PACIENTES, "PAC:KNOMBRE", "PAC:NOMBRE", false },
        { FileId::PACIENTES, "PAC:KGRUPO", "PAC:GRUPO,PAC:NOMBRE", false },
        { FileId::PACIENTES, "PAC:KOBRASOCIAL", "PAC:OBRASOCIAL,PAC:NOMBRE", false },
        { FileId::PACIENTES, "PAC:KMADRE", "PAC:MADRE,PAC:FNACIMIENTO", false },
        { FileId::PACIENTES, "PAC:KPADRE", "PAC:PADRE,PAC:FNACIMIENTO", false },
        { FileId::PACIENTES, "PAC:KMEDICO", "PAC:MEDICO,PAC:CODIGO", false },
        { FileId::MADRES, "MAD:KNOMBRE", "MAD:NOMBRE", false },
        { FileId::MADRES, "MAD:KGRUPO", "MAD:GRUPO,MAD:NOMBRE", false },
        { FileId::MADRES, "MAD:KOBRASOCIAL", "MAD:OBRASOCIAL,MAD:NOMBRE", false },
        { FileId::PADRES, "PAD:KNOMBRE", "PAD:NOMBRE", false },
        { FileId::PADRES, "PAD:KGRUPO", "PAD:GRUPO,PAD:NOMBRE", false },
        { FileId::FOTOS, "FOT:KPACIENTE", "FOT:PACIENTE", true },
        { FileId::NOTASIMPO, "NTA:KPACIENTE", "NTA:PACIENTE", false },
        { FileId::CONSULTAS, "CON:KCODIGO", "CON:CODIGO", true },
        { FileId::CONSULTAS, "CON:KMOTIVO", "CON:MOTIVO,CON:FECHA,CON:CODIGO", false },
        { FileId::CONSULTAS, "CON:KPACIENTE", "CON:PACIENTE,CON:FECHA", false },
        { FileId::CONSULTAS, "CON:KMEDICO", "CON:MEDICO,CON:CODIGO", false },
        { FileId::ENFERMEDADES, "ENF:KPACIENTE", "ENF:PACIENTE,ENF:FECHA,ENF:ENFERMEDAD", true },
        { FileId::ENFERMEDADES, "ENF:KENFERMEDAD", "ENF:ENFERMEDAD,ENF:FECHA,ENF:PACIENTE", false },
        { FileId::VACUNACION, "VAC:KPACIENTE", "VAC:PACIENTE,VAC:FECHAPROG,VAC:VACUNA", true },
        { FileId::ANALISIS, "ANA:KPACIENTE", "ANA:PACIENTE,ANA:FECHA", false },
        { FileId::ANALISIS, "ANA:KCONSULTA", "ANA:CONSULTA,ANA:ANALISIS", false },
        { FileId::ANALISIS, "ANA:KFECHA", "ANA:FECHA,ANA:PACIENTE", false },
        { FileId::AGENDA, "AGE:KFECHA", "AGE:FECHA,AGE:HORA,AGE:MEDICO", true },
        { FileId::AGENDA, "AGE:KPACIENTE", "AGE:PACIENTE,AGE:FECHA,AGE:MEDICO", false },
        { FileId::MEDICOS, "MED:KCODIGO", "MED:CODIGO", true },
        { FileId::TABCRECIMIENTO, "TCR:KEDAD", "TCR:EDAD", true },
        { FileId::MOTIVOS, "MOT:KMOTIVO", "MOT:MOTIVO", true },
        { FileId::TABENFERMED, "TEN:KNOMBRE", "TEN:NOMBRE", true },
        { FileId::OBRASSOCIALES, "OBR:KNOMBRE", "OBR:NOMBRE", true },
        { FileId::PLANVACUNACION, "PLA:KPLANES", "PLA:CODIGO", false },
        { FileId::PLANVACUNACION, "PLA:KCODIGO", "PLA:CODIGO,PLA:ANIOS,PLA:MESES,PLA:DIAS", false },
        { FileId::TITULOS, "TIT:KTITULO", "TIT:TEMA,TIT:TITULO", true },
        { FileId::TEMAS, "TEM:KTITULOS", "TEM:TEMA", true },
        { FileId::ARTICULOS, "ART:KTEMA", "ART:TEMA,ART:TITULO,ART:ARTICULO", false },
        { FileId::ACCESOS, "ACC:KCLAVE", "ACC:CLAVE", true },
        { FileId::GRAFICO, "GRA:KSERIE", "GRA:SERIE,GRA:X", true },
        { FileId::OUTPUT, "OUT:K1", "OUT:STRING1,OUT:STRING2,OUT:STRING3", false },
        { FileId::OUTPUT, "OUT:K3", "OUT:SHORT1,OUT:LONG1,OUT:STRING1,OUT:STRING2", false },
        { FileId::OUTPUT, "OUT:K2", "OUT:SHORT1,OUT:SHORT2,OUT:SHORT3", false },
        { FileId::OUTPUT, "OUT:K4", "OUT:LONG1,OUT:SHORT1", false },
        { FileId::OUTPUT, "OUT:K5", "OUT:LONG1,OUT:LONG2", false },
    };
    // Keys are listed file by file in their declared order.
    std::vector<std::size_t> nextKey(FileCount, 0);
    for (const Row& row : rows) {
        const FileDesc& file = fileDesc(row.file);
        const std::size_t position = nextKey[std::size_t(row.file)]++;
        ASSERT_LT(position, file.keys.size()) << row.key;
        const KeyDesc& key = file.keys[position];
        EXPECT_EQ(key.name, QString::fromUtf8(row.key));
        EXPECT_EQ(componentNames(file, key), QString::fromUtf8(row.components)) << row.key;
        EXPECT_EQ(key.unique, row.unique) << row.key;
    }
    for (int id = 0; id < FileCount; ++id)
        EXPECT_EQ(nextKey[std::size_t(id)], catalogue()[std::size_t(id)].keys.size()) << id;
}

TEST(Catalogue, KeysAreDescribedByTheirNameSaveTheSevenNamedOtherwise)
{
    const QHash<QString, QString> described = {
        { QStringLiteral("PAC:KCODIGO"), QStringLiteral("Indice por código") },
        { QStringLiteral("PAC:KNOMBRE"), QStringLiteral("Key x Nombres") },
        { QStringLiteral("PAC:KGRUPO"), QStringLiteral("Indice por grupo sanguineo") },
        { QStringLiteral("MAD:KNOMBRE"), QStringLiteral("Indice por Nombres") },
        { QStringLiteral("PAD:KNOMBRE"), QStringLiteral("Indice por Nombres") },
        { QStringLiteral("MAD:KGRUPO"), QStringLiteral("Indice por grupo sanguineo") },
        { QStringLiteral("PAD:KGRUPO"), QStringLiteral("Indice por grupo sanguineo") },
    };
    for (const FileDesc& file : catalogue()) {
        for (const KeyDesc& key : file.keys)
            EXPECT_EQ(key.description, described.value(key.name, key.name)) << key.name.toStdString();
    }
}

TEST(Catalogue, OnlyThreeKeysIndexBlankEntries)
{
    EXPECT_EQ(keyNames([](const KeyDesc& k) { return k.blanksIndexed; }),
        QStringList(
            { QStringLiteral("MAD:KNOMBRE"), QStringLiteral("PAD:KNOMBRE"), QStringLiteral("TCR:KEDAD") }));
}

TEST(Catalogue, FourUniqueKeysAreNumberedAutomatically)
{
    EXPECT_EQ(keyNames([](const KeyDesc& k) { return k.autoNumber; }),
        QStringList({ QStringLiteral("PAC:KCODIGO"), QStringLiteral("CON:KCODIGO"),
            QStringLiteral("MED:KCODIGO"), QStringLiteral("TCR:KEDAD") }));
    for (const FileDesc& file : catalogue()) {
        for (const KeyDesc& key : file.keys) {
            if (key.autoNumber) {
                EXPECT_TRUE(key.unique) << key.name.toStdString();
            }
        }
    }
}

TEST(Catalogue, FieldsKeepTheirDeclaredShapeAndPicture)
{
    struct Row {
        FileId file;
        const char* field;
        FieldType type;
        int size;
        int precision;
        int dim1;
        int dim2;
        const char* picture;
    };
    const Row rows[] = {
        { FileId::CONSULTAS, "CON:PACIENTE", FieldType::Long, 4, 0, 0, 0, "@n_7" },
        { FileId::CONSULTAS, "CON:MOTIVO", FieldType::String, 25, 0, 0, 0, "@s20" },
        { FileId::CONSULTAS, "CON:ANIOS", FieldType::Byte, 1, 0, 0, 0, "@N3~a~" },
        { FileId::CONSULTAS, "CON:FR", FieldType::Decimal, 3, 2, 0, 0, "@n3" },
        { FileId::CONSULTAS, "CON:HONORARIOS", FieldType::Decimal, 5, 2, 0, 0, "@n-13.2" },
        { FileId::CONSULTAS, "CON:BONOSOBRASOCIAL", FieldType::Decimal, 4, 2, 0, 0, "" },
        { FileId::ENFERMEDADES, "ENF:ANIOS", FieldType::Byte, 1, 0, 0, 0, "@n3~a~" },
        { FileId::PACIENTES, "PAC:PESO", FieldType::Decimal, 4, 3, 0, 0, "@n6.3" },
        { FileId::PACIENTES, "PAC:MEDICO", FieldType::Byte, 1, 0, 0, 0, "" },
        { FileId::AGENDA, "AGE:HORA", FieldType::Long, 4, 0, 0, 0, "@T1" },
        { FileId::TABCRECIMIENTO, "TCR:PESOS", FieldType::Decimal, 4, 3, 7, 2, "@n7.3" },
        { FileId::TABCRECIMIENTO, "TCR:ALTURA", FieldType::Decimal, 3, 1, 7, 2, "@N5.1" },
        { FileId::TABCRECIMIENTO, "TCR:PC", FieldType::Decimal, 3, 1, 3, 2, "@n-6.1" },
        { FileId::ACCESOS, "ACC:PUERTAS", FieldType::Byte, 1, 0, 30, 0, "" },
        { FileId::OUTPUT, "OUT:DECIMAL3", FieldType::Decimal, 5, 2, 15, 0, "" },
        { FileId::GRAFICO, "GRA:X", FieldType::Real, 8, 0, 0, 0, "" },
        { FileId::PACIENTES, "PAC:EMBOBSERVACIONES", FieldType::Memo, 500, 0, 0, 0, "" },
        { FileId::MADRES, "MAD:ANTECEDENTES", FieldType::Memo, 1000, 0, 0, 0, "" },
        { FileId::CONSULTAS, "CON:RECETA", FieldType::Memo, 2000, 0, 0, 0, "" },
        { FileId::ANALISIS, "ANA:RESULTADOS", FieldType::Memo, 2000, 0, 0, 0, "" },
        { FileId::ARTICULOS, "ART:NOTAS5", FieldType::Memo, 5000, 0, 0, 0, "" },
    };
    for (const Row& row : rows) {
        const FieldDesc* f = fileDesc(row.file).field(QString::fromUtf8(row.field));
        ASSERT_TRUE(f) << row.field;
        EXPECT_EQ(f->type, row.type) << row.field;
        EXPECT_EQ(f->size, row.size) << row.field;
        EXPECT_EQ(f->precision, row.precision) << row.field;
        EXPECT_EQ(f->dim1, row.dim1) << row.field;
        EXPECT_EQ(f->dim2, row.dim2) << row.field;
        EXPECT_EQ(f->picture, QString::fromUtf8(row.picture)) << row.field;
    }
}

TEST(Catalogue, DescriptorsMoveArrayElementsAndScaledDecimals)
{
    const FileDesc& growth = fileDesc<TABCRECIMIENTO>();
    const FieldDesc& pesos = *growth.field(QStringLiteral("TCR:PESOS"));
    TABCRECIMIENTO row;
    // Percentile 25 (third) for girls (second): element (3,2) counted from 1.
    pesos.set(row, 2, 1, std::int64_t(12345));
    EXPECT_EQ(row.PESOS[2][1], 12345);
    EXPECT_EQ(row.PESOS[1][1], 0);
    EXPECT_EQ(row.PESOS[2][0], 0);
    EXPECT_EQ(pesos.get(row, 2, 1), FieldValue(std::int64_t(12345)));
    EXPECT_THROW(pesos.get(row, 7, 0), std::out_of_range);
    EXPECT_THROW(pesos.set(row, 0, 2, std::int64_t(1)), std::out_of_range);

    const FileDesc& consultas = fileDesc<CONSULTAS>();
    CONSULTAS visit;
    const FieldDesc& fee = *consultas.field(QStringLiteral("CON:HONORARIOS"));
    fee.set(visit, 0, 0, std::int64_t(999999999)); // 9999999.99, the most DECIMAL(5,2) holds
    EXPECT_EQ(visit.HONORARIOS, 999999999);
    EXPECT_EQ(fee.get(visit, 0, 0), FieldValue(std::int64_t(999999999)));
    fee.set(visit, 0, 0, FieldValue());
    EXPECT_EQ(visit.HONORARIOS, 0) << "an empty value clears the field";

    OUTPUT line;
    fileDesc<OUTPUT>().field(QStringLiteral("OUT:DECIMAL2"))->set(line, 14, 0, std::int64_t(-150));
    EXPECT_EQ(line.DECIMAL2[14], -150);
    EXPECT_EQ(line.DECIMAL1[14], 0);
    EXPECT_EQ(line.DECIMAL3[14], 0);

    ANALISIS study;
    fileDesc<ANALISIS>().field(QStringLiteral("ANA:ANALISIS"))->set(study, 0, 0, QStringLiteral("Hemograma"));
    EXPECT_EQ(study.ANALISIS_, QStringLiteral("Hemograma"));
}

} // namespace
} // namespace nidora::data
