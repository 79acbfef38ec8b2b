#include "controls/ProgramIcon.h"

#include "support/ScratchDirectory.h"

#include <QImage>

#include <gtest/gtest.h>

namespace nidora::controls {
namespace {

// The same icon, the ways windows and the frame spell it.
TEST(ProgramIcon, FoundWhateverTheCaseAndTheWayTheExtensionIsWritten)
{
    for (const char* name : { "Doctor.ICO", "doctor.ico", "DOCTOR_ICO", "  doctor.Ico  ", "TASKXPC_ICO",
             "taskxpesw_ico", "Hospital Nurse.ico", "people2.ICO", "new.ico", "cambiar.ico", "borrar.ico",
             "si.bmp", "no.bmp", "button_ok.ico", "buscar.ico", "foto.ico", "boy.ico", "girl.ico" }) {
        const QIcon icon = programIcon(QString::fromUtf8(name));
        EXPECT_FALSE(icon.isNull()) << name;
        EXPECT_FALSE(icon.pixmap(24, 24).isNull()) << name;
    }
}

TEST(ProgramIcon, UnknownOrBlankNameGivesANullIcon)
{
    for (const char* name : { "nosuchicon.ico", "doctor", "doctor.bmp", "", "   " })
        EXPECT_TRUE(programIcon(QString::fromUtf8(name)).isNull()) << name;
}

TEST(ProgramIcon, FileOfThatNameWhenTheProgramHasNone)
{
    const test::ScratchDirectory scratch;
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(scratch.filePath("mine.png")));
    EXPECT_FALSE(programIcon("mine.png").isNull());
    EXPECT_TRUE(programIcon("theirs.png").isNull());
}

} // namespace
} // namespace nidora::controls
