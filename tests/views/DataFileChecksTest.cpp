// The background check of the data files while a list shows rows through a damaged key: the
// damage is told once (message 30), the keys are rebuilt, and the list shows every row again.
#include "views/DataFileChecks.h"

#include "RecordWindowsTest.h"
#include "data/PatientRecords.h"
#include "support/FileFaults.h"
#include "views/ListWindow.h"
#include "views/RebuiltKeyLists.h"

#include <QAbstractItemView>

namespace nidora::views::test {
namespace {

constexpr int kPatients = 12;

QString patientName(int code)
{
    return QStringLiteral("Paciente %1").arg(code, 3, 10, QLatin1Char('0'));
}

// The patients by name.
class NameList final : public ListWindow {
public:
    NameList()
        : ListWindow(QStringLiteral("Test:Names"), data::FileId::PACIENTES)
    {
        setCaption(QStringLiteral("Names"));
        setSize(200, 200);
        addList(QStringLiteral("?BROWSE"), { 4, 4, 192, 190 },
            { { &key("PAC:KNOMBRE"), LocatorKind::Incremental, QStringLiteral("Por nombre") } },
            { fieldColumn(field("PAC:NOMBRE"), QStringLiteral("Nombre"), QStringLiteral("@s30")) });
    }
};

class DataFileChecksTest : public RecordWindowsTest {
protected:
    QStringList listed()
    {
        auto* table = static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE")));
        QStringList names;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            names << table->model()->index(row, 0).data().toString().trimmed();
        return names;
    }

    RebuiltKeyLists rebuiltKeyLists; // as the program holds it
};

TEST_F(DataFileChecksTest, AListOpenWhileTheKeysAreRebuiltShowsEveryRowAgain)
{
    for (int code = 1; code <= kPatients; ++code)
        store(nidora::test::patient(code, qPrintable(patientName(code))));
    // The name key's page counts one entry fewer: the last patient is gone from the name order,
    // and nothing a read in that order meets tells it.
    const QString file = QStringLiteral("PACIENTE.QVM");
    const nidora::test::FileTree tree = nidora::test::treeOf(file, QStringLiteral("PAC:KNOMBRE"));
    ASSERT_EQ(tree.pages.size(), 1u);
    nidora::test::dropLastCell(file, tree, tree.pages.front());

    bool ended = false;
    driver.start([&ended] {
        NameList().run();
        ended = true;
    });
    ASSERT_NE(driver.window(QStringLiteral("Names")), nullptr);
    ASSERT_FALSE(listed().contains(patientName(kPatients)));
    ASSERT_EQ(listed().size(), kPatients - 1);

    DataFileChecks checks({ data::FileId::PACIENTES });
    ASSERT_TRUE(driver.answer(
        QStringLiteral("PACIENTES key file is invalid. Key must be rebuilt."), QStringLiteral("OK")));
    ASSERT_TRUE(driver.runUntil([&] { return checks.done() && scheduler.threadCount() == 2; }));
    driver.settle();

    QStringList every;
    for (int code = 1; code <= kPatients; ++code)
        every << patientName(code);
    EXPECT_EQ(listed(), every);
    EXPECT_EQ(driver.messageBox(QString()), nullptr) << "the damage was told more than once";
    driver.close(QStringLiteral("Names"));
    ASSERT_TRUE(driver.runUntil([&] { return ended; }));
}

} // namespace
} // namespace nidora::views::test
