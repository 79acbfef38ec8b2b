#include "clinical/PatientFormRules.h"

#include "data/AccessTestFixture.h"

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::FileId;
using data::FOTOS;
using data::MADRES;
using data::NOTASIMPO;
using data::PACIENTES;

struct CopyCase {
    const char* patients;
    bool replaced;
};

void PrintTo(const CopyCase& c, std::ostream* out)
{
    *out << '"' << c.patients << '"';
}

class MothersValues : public testing::TestWithParam<CopyCase> { };

TEST_P(MothersValues, ReplaceOnlyTextsSortingBeforeTheDigitZero)
{
    MADRES mother;
    mother.DOMICILIO = "Calle 1";
    mother.TELEFONO = "4321-0000";
    mother.OBRASOCIAL = "OSDE";
    PACIENTES child;
    child.DOMICILIO = child.TELEFONO = child.OBRASOCIAL = QString::fromUtf8(GetParam().patients);
    copyFromMother(child, mother);
    const QString own = QString::fromUtf8(GetParam().patients);
    EXPECT_EQ(child.DOMICILIO, GetParam().replaced ? mother.DOMICILIO : own);
    EXPECT_EQ(child.TELEFONO, GetParam().replaced ? mother.TELEFONO : own);
    EXPECT_EQ(child.OBRASOCIAL, GetParam().replaced ? mother.OBRASOCIAL : own);
}

INSTANTIATE_TEST_SUITE_P(PatientsText, MothersValues,
    testing::Values(CopyCase { "", true }, CopyCase { "(011) 4555-1234", true }, CopyCase { " 12", true },
        CopyCase { "-", true }, CopyCase { "0", false }, CopyCase { "4555-1234", false },
        CopyCase { "San Martín 5", false }, CopyCase { "Ñandú", false }));

TEST(PatientFormRules, ADoctorIsGivenOnlyToAPatientWithout)
{
    PACIENTES patient;
    giveCurrentPhysician(patient, 3);
    EXPECT_EQ(patient.MEDICO, 3);
    patient.MEDICO = 1;
    giveCurrentPhysician(patient, 3);
    EXPECT_EQ(patient.MEDICO, 1);
}

TEST(PatientFormRules, PhotoBaseNameIsPAndTheCodeInSixDigits)
{
    EXPECT_EQ(photoBaseName(123), "P000123");
    EXPECT_EQ(photoBaseName(1234567), "P1234567");
}

class PatientExtrasTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(FileId::NOTASIMPO).open(), data::AccessResult::Ok);
        ASSERT_EQ(access(FileId::FOTOS).open(), data::AccessResult::Ok);
    }
};

TEST_F(PatientExtrasTest, APatientWithoutRecordsReadsBlankAndGetsBothWrittenEvenBlank)
{
    EXPECT_EQ(readPatientExtras(data, 7), PatientExtras {});
    writePatientExtras(data, 7, PatientExtras {});
    ASSERT_EQ(count<NOTASIMPO>(), 1u);
    ASSERT_EQ(count<FOTOS>(), 1u);
    EXPECT_EQ(all<NOTASIMPO>().front().PACIENTE, 7);
    EXPECT_EQ(all<FOTOS>().front().PACIENTE, 7);
    EXPECT_EQ(all<FOTOS>().front().ARCHIVO, "");
}

TEST_F(PatientExtrasTest, ExistingRecordsAreChangedAndTheThirdNoteLineIsKept)
{
    NOTASIMPO notes;
    notes.PACIENTE = 7;
    notes.NOTA1 = "Alergia";
    notes.NOTA3 = "tercera";
    store(notes);
    NOTASIMPO otherNotes;
    otherNotes.PACIENTE = 8;
    otherNotes.NOTA1 = "Otro";
    store(otherNotes);
    FOTOS photo;
    photo.PACIENTE = 7;
    photo.ARCHIVO = "P000007.jpg";
    store(photo);

    EXPECT_EQ(readPatientExtras(data, 7), (PatientExtras { "Alergia", "", "P000007.jpg" }));
    writePatientExtras(data, 7, PatientExtras { "Alergia a penicilina", "Asma", "/fotos/ana.jpg" });
    ASSERT_EQ(count<NOTASIMPO>(), 2u);
    ASSERT_EQ(count<FOTOS>(), 1u);
    const NOTASIMPO stored = all<NOTASIMPO>().front();
    EXPECT_EQ(stored.NOTA1, "Alergia a penicilina");
    EXPECT_EQ(stored.NOTA2, "Asma");
    EXPECT_EQ(stored.NOTA3, "tercera");
    EXPECT_EQ(all<NOTASIMPO>().back().NOTA1, "Otro");
    EXPECT_EQ(all<FOTOS>().front().ARCHIVO, "/fotos/ana.jpg");
}

TEST_F(PatientExtrasTest, NothingIsWrittenForAPatientWithoutCode)
{
    writePatientExtras(data, 0, PatientExtras { "x", "y", "z" });
    EXPECT_EQ(count<NOTASIMPO>(), 0u);
    EXPECT_EQ(count<FOTOS>(), 0u);
}

} // namespace
} // namespace nidora::clinical
