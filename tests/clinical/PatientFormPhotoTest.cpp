#include "PatientFormFixture.h"

#include "platform/FileChooserDouble.h"

#include <QImage>
#include <QLabel>
#include <QMessageBox>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::FOTOS;
using test::patient;
using testing::ElementsAre;

class PatientFormPhotoTest : public test::PatientFormTest {
protected:
    PatientFormPhotoTest()
    {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        EXPECT_TRUE(picture.save(scratch.filePath("ana.bmp"), "BMP"));
        store(patient(1, "Pérez, Ana"));
    }

    void storePhoto(const QString& file)
    {
        FOTOS made;
        made.PACIENTE = 1;
        made.ARCHIVO = file;
        store(made);
    }
    bool imageShown() const
    {
        auto* image = qobject_cast<QLabel*>(driver.find(QStringLiteral("?IMAGE5")));
        return image && !image->pixmap().isNull();
    }
    bool anyMessageShown() const { return driver.messageBox(QString()) != nullptr; }

    nidora::test::FileChooserDouble chooser;
    platform::FileChooserService::Override useChooser { chooser };
};

TEST_F(PatientFormPhotoTest, ImageShowsThePhotoFileAndNothingWhenItIsMissing)
{
    storePhoto(QStringLiteral("ana.bmp"));
    openForm(ChangeRecord, 1);
    EXPECT_EQ(shown("?AUXFOTO"), "ana.bmp");
    EXPECT_TRUE(imageShown());
    driver.type(QStringLiteral("?AUXFOTO"), QStringLiteral("ninguna.jpg"));
    driver.accept(QStringLiteral("?AUXFOTO"));
    EXPECT_FALSE(imageShown());
    EXPECT_FALSE(anyMessageShown());
    pressCancel();
}

TEST_F(PatientFormPhotoTest, FileChosenInTheDialogBecomesThePhoto)
{
    chooser.answer = scratch.filePath("ana.bmp");
    openForm(ChangeRecord, 1);
    EXPECT_FALSE(imageShown());
    driver.click(QStringLiteral("?LOOKUPFILE"));
    EXPECT_EQ(chooser.askedTitle, "Buscar archivo imagen");
    EXPECT_EQ(chooser.askedFilter.name, "Archivos de imágenes");
    EXPECT_THAT(chooser.askedFilter.patterns, ElementsAre("*.jpg", "*.bmp", "*.gif"));
    EXPECT_EQ(shown("?AUXFOTO"), scratch.filePath("ana.bmp"));
    EXPECT_TRUE(imageShown());
    pressOk();
    ASSERT_EQ(all<FOTOS>().size(), 1u);
    EXPECT_EQ(all<FOTOS>()[0].ARCHIVO, scratch.filePath("ana.bmp"));
}

// Cancelling the dialog chose no other photo: the patient keeps his, on screen and on file.
TEST_F(PatientFormPhotoTest, CancelledDialogKeepsThePhotoAndOkStoresItAsItWas)
{
    storePhoto(QStringLiteral("ana.bmp"));
    openForm(ChangeRecord, 1);
    EXPECT_TRUE(imageShown());
    driver.click(QStringLiteral("?LOOKUPFILE"));
    EXPECT_EQ(chooser.asked, 1);
    EXPECT_EQ(shown("?AUXFOTO"), "ana.bmp");
    EXPECT_TRUE(imageShown());
    pressOk();
    ASSERT_EQ(all<FOTOS>().size(), 1u);
    EXPECT_EQ(all<FOTOS>()[0].PACIENTE, 1);
    EXPECT_EQ(all<FOTOS>()[0].ARCHIVO, "ana.bmp");
}

} // namespace
} // namespace nidora::clinical
