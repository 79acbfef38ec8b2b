#include "clinical/StudyAttachment.h"

#include "support/QStringPrinter.h"
#include "support/ScratchDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace nidora::clinical {
namespace {

using Outcome = AttachmentCopy::Outcome;

void writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write(contents);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(StudyAttachment, TheFileNameFollowsTheLastFolderSeparator)
{
    const std::pair<const char*, std::optional<QString>> cases[] = {
        { "C:\\Estudios\\rx.jpg", QStringLiteral("rx.jpg") },
        { "/home/ana/estudios/rx.jpg   ", QStringLiteral("rx.jpg") },
        { "D:\\placas/2010\\tórax.png", QStringLiteral("tórax.png") },
        { "rx.jpg", std::nullopt },
        { "C:\\Estudios\\", std::nullopt },
        { "/home/ana/", std::nullopt },
        { "", std::nullopt },
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(attachedFileName(QString::fromUtf8(path)), name) << path;
}

TEST(StudyAttachment, TheProgramsOwnFilesAreNoAttachmentsName)
{
    for (const char* name : { "PACIENTE.QVM", "paciente.qvm", "CONSULTA.QVM-journal", "ACCESOS.QVM",
             "nidora.ini", "NIDORA.INI", "P000123.jpg" })
        EXPECT_TRUE(isProgramFileName(QString::fromLatin1(name))) << name;
    for (const char* name : { "rx.jpg", "PACIENTE(2).QVM", "nidora(2).ini", "P123.jpg", "informe.QVM" })
        EXPECT_FALSE(isProgramFileName(QString::fromLatin1(name))) << name;
}

class StudyAttachmentCopy : public testing::Test {
protected:
    StudyAttachmentCopy()
    {
        EXPECT_TRUE(QDir(elsewhere.path()).mkpath(QStringLiteral("Estudios")));
        writeFile(source("rx.jpg"), "the new plate");
    }
    QString source(const char* name) const
    {
        return QDir(elsewhere.path()).filePath(QStringLiteral("Estudios/") + QString::fromUtf8(name));
    }
    QString here(const QString& name) const { return working.filePath(name); }
    AttachmentCopy copy(const QString& path) { return copyAttachment(path, working); }

    QTemporaryDir elsewhere;
    nidora::test::ScratchDirectory scratch;
    QDir working { QDir::currentPath() };
};

TEST_F(StudyAttachmentCopy, AFileInAFolderIsCopiedUnderItsOwnName)
{
    EXPECT_EQ(copy(source("rx.jpg")), (AttachmentCopy { Outcome::Copied, QStringLiteral("rx.jpg") }));
    EXPECT_EQ(readFile(here(QStringLiteral("rx.jpg"))), "the new plate");
    EXPECT_EQ(readFile(source("rx.jpg")), "the new plate");
}

TEST_F(StudyAttachmentCopy, ANameWithoutAFolderOrAFolderAloneIsKeptAsTyped)
{
    for (const QString& path : { QStringLiteral("rx.jpg"), QStringLiteral("C:\\Estudios\\"),
             QDir(elsewhere.path()).filePath(QStringLiteral("Estudios/")) }) {
        EXPECT_EQ(copy(path), (AttachmentCopy { Outcome::Unchanged, path })) << qPrintable(path);
    }
    EXPECT_EQ(working.entryList(QDir::Files), QStringList());
}

TEST_F(StudyAttachmentCopy, AMissingSourceKeepsTheOriginalPath)
{
    for (const QString& path : { QStringLiteral("C:\\Estudios\\rx.jpg"), source("ninguno.jpg") })
        EXPECT_EQ(copy(path), (AttachmentCopy { Outcome::Failed, path })) << qPrintable(path);
    EXPECT_EQ(working.entryList(QDir::Files), QStringList());
}

TEST_F(StudyAttachmentCopy, ADifferentFileOfThatNameIsNeverReplaced)
{
    writeFile(here(QStringLiteral("rx.jpg")), "another patient's plate");
    writeFile(here(QStringLiteral("rx(2).jpg")), "a third plate");
    EXPECT_EQ(copy(source("rx.jpg")), (AttachmentCopy { Outcome::Copied, QStringLiteral("rx(3).jpg") }));
    EXPECT_EQ(readFile(here(QStringLiteral("rx.jpg"))), "another patient's plate");
    EXPECT_EQ(readFile(here(QStringLiteral("rx(2).jpg"))), "a third plate");
    EXPECT_EQ(readFile(here(QStringLiteral("rx(3).jpg"))), "the new plate");
}

TEST_F(StudyAttachmentCopy, TheSameFileAlreadyThereIsNamedWithoutASecondCopy)
{
    writeFile(here(QStringLiteral("rx.jpg")), "another patient's plate");
    writeFile(here(QStringLiteral("rx(2).jpg")), "the new plate");
    EXPECT_EQ(
        copy(source("rx.jpg")), (AttachmentCopy { Outcome::AlreadyThere, QStringLiteral("rx(2).jpg") }));
    // Chosen in the working directory itself.
    EXPECT_EQ(copy(here(QStringLiteral("rx.jpg"))),
        (AttachmentCopy { Outcome::AlreadyThere, QStringLiteral("rx.jpg") }));
    EXPECT_EQ(working.entryList(QDir::Files).size(), 2);
}

TEST_F(StudyAttachmentCopy, ADataOrSettingsFileNameGoesToAFreeName)
{
    const std::pair<const char*, const char*> cases[] = { { "PACIENTE.QVM", "PACIENTE(2).QVM" },
        { "nidora.ini", "nidora(2).ini" }, { "NIDORA.INI", "NIDORA(2).INI" } };
    for (const auto& [name, stored] : cases) {
        writeFile(source(name), "not the practice's own");
        EXPECT_EQ(copy(source(name)), (AttachmentCopy { Outcome::Copied, QString::fromLatin1(stored) }))
            << name;
        EXPECT_FALSE(QFile::exists(here(QString::fromLatin1(name)))) << name;
    }
}

TEST_F(StudyAttachmentCopy, APathWrittenWithBackslashesIsFoundWithSlashes)
{
    const QString path = source("rx.jpg").replace(u'/', u'\\');
    EXPECT_EQ(copy(path), (AttachmentCopy { Outcome::Copied, QStringLiteral("rx.jpg") }));
}

TEST_F(StudyAttachmentCopy, ALongNameIsShortenedToFitTheStoredName)
{
    const QString name = QString(190, u'a') + QStringLiteral(".jpg");
    writeFile(QDir(elsewhere.path()).filePath(name), "long");
    writeFile(here(QString(176, u'a') + QStringLiteral(".jpg")), "another");
    const AttachmentCopy made = copy(QDir(elsewhere.path()).filePath(name));
    EXPECT_EQ(made, (AttachmentCopy { Outcome::Copied, QString(173, u'a') + QStringLiteral("(2).jpg") }));
    EXPECT_EQ(made.stored.size(), kAttachmentNameLength);
}

} // namespace
} // namespace nidora::clinical
