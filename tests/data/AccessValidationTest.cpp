#include "AccessTestFixture.h"

#include <gmock/gmock.h>

namespace nidora::data::test {
namespace {

using testing::ElementsAre;

struct LimitCase {
    FileId file;
    const char* field;
    int limit;
};

class AccessLimitTest : public AccessTest, public testing::WithParamInterface<LimitCase> { };

// The limit itself passes, one above fails with message 19 naming the field and the limit.
TEST_P(AccessLimitTest, LimitPassesAndOneAboveFails)
{
    const LimitCase c = GetParam();
    AccessObject& file = access(c.file);
    ASSERT_EQ(file.open(), AccessResult::Ok);
    const FieldDesc& field = *file.desc().field(QString::fromUtf8(c.field));

    setFieldValue(field, file.buffer(), std::int64_t(c.limit));
    EXPECT_EQ(file.validateField(field.number), AccessResult::Ok);
    setFieldValue(field, file.buffer(), std::int64_t(c.limit + 1));
    EXPECT_EQ(file.validateField(field.number, false), AccessResult::Failed);
    EXPECT_TRUE(presenter.shown().empty());
    acknowledge();
    EXPECT_EQ(file.validateField(field.number), AccessResult::Failed);

    ASSERT_EQ(presenter.shown().size(), 1u);
    EXPECT_EQ(lastShown().number, 19);
    EXPECT_EQ(lastShown().title, QStringLiteral("Range Error"));
    EXPECT_EQ(lastShown().text,
        QStringLiteral("The value of %1 must be lower than %2.")
            .arg(QString::fromUtf8(c.field))
            .arg(c.limit));
}

INSTANTIATE_TEST_SUITE_P(Limits, AccessLimitTest,
    testing::Values(LimitCase { FileId::CONSULTAS, "CON:ANIOS", 99 },
        LimitCase { FileId::CONSULTAS, "CON:MESES", 12 }, LimitCase { FileId::CONSULTAS, "CON:DIAS", 31 },
        LimitCase { FileId::ENFERMEDADES, "ENF:ANIOS", 99 },
        LimitCase { FileId::ENFERMEDADES, "ENF:MESES", 12 },
        LimitCase { FileId::ENFERMEDADES, "ENF:DIAS", 31 },
        LimitCase { FileId::PLANVACUNACION, "PLA:MESES", 12 },
        LimitCase { FileId::PLANVACUNACION, "PLA:DIAS", 31 }));

class AccessValidationTest : public AccessTest {
protected:
    void SetUp() override
    {
        store(patient(7, "Ana"));
        store(patient(8, "Luis"));
        ASSERT_EQ(access(FileId::CONSULTAS).open(), AccessResult::Ok);
        ASSERT_EQ(access(FileId::PACIENTES).open(), AccessResult::Ok);
    }
};

TEST_F(AccessValidationTest, ConsultationOfAnUnknownPatientFailsAtInsertAndThePatientBufferStaysAsItWas)
{
    // A form is editing patient 8 on this thread, with a change not yet saved.
    PACIENTES& editing = data.buffer<PACIENTES>();
    editing.CODIGO = 8;
    ASSERT_EQ(access(FileId::PACIENTES).fetch(key(FileId::PACIENTES, "PAC:KCODIGO")), AccessResult::Ok);
    editing.NOMBRE = QStringLiteral("Luis, edited");

    AccessObject& consultations = access(FileId::CONSULTAS);
    for (std::int32_t code : { 0, 99 }) {
        ASSERT_EQ(consultations.prime(), AccessResult::Ok);
        data.buffer<CONSULTAS>().PACIENTE = code;
        acknowledge();
        EXPECT_EQ(consultations.insert(), AccessResult::Failed) << code;
        EXPECT_EQ(lastShown().number, 16);
        EXPECT_EQ(lastShown().title, QStringLiteral("Field contents error"));
        EXPECT_EQ(lastShown().text,
            QStringLiteral("The value of CON:PACIENTE must be found in the PACIENTES file."));
        EXPECT_EQ(editing.CODIGO, 8);
        EXPECT_EQ(editing.NOMBRE, QStringLiteral("Luis, edited"));
        ASSERT_EQ(consultations.cancelNumbering(), AccessResult::Ok);
    }

    ASSERT_EQ(consultations.prime(), AccessResult::Ok);
    data.buffer<CONSULTAS>().PACIENTE = 7;
    EXPECT_EQ(consultations.insert(), AccessResult::Ok);
    EXPECT_EQ(editing.CODIGO, 8);
    EXPECT_EQ(editing.NOMBRE, QStringLiteral("Luis, edited"));
    // The patient form can still save its record: the lookup did not move it.
    EXPECT_EQ(access(FileId::PACIENTES).change(), AccessResult::Ok);
    EXPECT_EQ(all<PACIENTES>()[1].NOMBRE, QStringLiteral("Luis, edited"));
}

TEST_F(AccessValidationTest, RecordValidationStopsAtTheLowestFailingField)
{
    CONSULTAS& c = data.buffer<CONSULTAS>();
    c.PACIENTE = 7;
    c.MESES = 13;
    c.DIAS = 32;
    acknowledge();
    EXPECT_EQ(access(FileId::CONSULTAS).validateRecord(), AccessResult::Failed);
    ASSERT_EQ(presenter.shown().size(), 1u);
    EXPECT_THAT(lastShown().text.toStdString(), testing::HasSubstr("CON:MESES"));
}

TEST_F(AccessValidationTest, FieldsWithoutARuleAreValidWhateverTheyHold)
{
    CONSULTAS& c = data.buffer<CONSULTAS>();
    c.PACIENTE = 0;
    c.FC = 255;
    const FieldDesc& fc = *access(FileId::CONSULTAS).desc().field(QStringLiteral("CON:FC"));
    EXPECT_EQ(access(FileId::CONSULTAS).validateField(fc.number), AccessResult::Ok);
    EXPECT_TRUE(presenter.shown().empty());
}

} // namespace
} // namespace nidora::data::test
