#pragma once

// A working folder of 19 data files with a few patients and consultations, a backup folder
// beside it, and what the backup and restore tests look at: each file's records (not its
// bytes, which a copy through SQLite changes in its header) and the sound state of every file.
#include "data/DataFile.h"
#include "data/FileBackup.h"
#include "support/ScratchDirectory.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace nidora::data::test {

class BackupFixture : public testing::Test {
protected:
    BackupFixture();

    QString work() const { return work_.path(); }
    QString folder() const { return work_.filePath(QStringLiteral("copia")); }
    static QString in(const QString& folder, FileId id);

    static void makeEmpty(const QString& folder, FileId id);
    static std::unique_ptr<DataFile> open(const QString& folder, FileId id);
    // Patients first to last, each with one consultation numbered as the patient.
    static void addPatients(
        const QString& folder, std::int32_t first, std::int32_t last, const char* name = "NUEVO");
    static std::int64_t count(const QString& folder, FileId id);

    // Runs a backup or restore to its end, its progress never going back.
    FileBackup::Result run(FileBackup::Kind kind, FileBackup::Options options = {});

    // The records of every data file in the folder, by disk name.
    static std::map<QString, QByteArray> records(const QString& folder);
    // Every data file of the folder passes the full integrity check.
    static void expectSound(const QString& folder);
    // Files of the folder that are not data files of the practice (copies, lists, journals
    // other than spent ones).
    static QStringList leftovers(const QString& folder);

    nidora::test::ScratchDirectory work_;
};

} // namespace nidora::data::test
