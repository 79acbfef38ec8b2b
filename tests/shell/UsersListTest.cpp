#include "views/RecordWindowsTest.h"

#include "shell/BrowseUSUARIOS.h"
#include "shell/UserRules.h"
#include "shell/UsersFile.h"
#include "views/ProgramGlobals.h"

#include "framework/KeyCodes.h"

#include <QAbstractItemView>

namespace nidora::shell {
namespace {

constexpr const char* kList = "Usuarios";
constexpr const char* kDeleting = "Borrando un Registro de USUARIOS";

class UsersListTest : public views::test::RecordWindowsTest {
protected:
    UsersListTest() { views::AppGlobals.AdministratorCount = 0; }

    void startList()
    {
        driver.start([this] {
            BrowseUSUARIOS();
            ended = true;
        });
        ASSERT_NE(driver.window(QString::fromUtf8(kList)), nullptr);
    }
    void closeList()
    {
        driver.close(QString::fromUtf8(kList));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    QAbstractItemModel* rows()
    {
        return static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:1")))->model();
    }
    QString shownName(int row) { return rows()->index(row, 0).data().toString().trimmed(); }

    bool ended = false;
};

TEST_F(UsersListTest, ShowsNamesInCodeOrderAndCountsTheAdministratorsAsItOpens)
{
    test::addUser("zeta", "Ana", { 30 });
    test::addUser("alfa", "Zulema", { 1, 2 });
    test::addUser("Medio", "Marta", { 30 });
    startList();
    ASSERT_EQ(rows()->columnCount(), 1);
    EXPECT_EQ(rows()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Usuario"));
    ASSERT_EQ(rows()->rowCount(), 3);
    EXPECT_EQ(shownName(0), QStringLiteral("Zulema"));
    EXPECT_EQ(shownName(1), QStringLiteral("Marta"));
    EXPECT_EQ(shownName(2), QStringLiteral("Ana"));
    EXPECT_EQ(views::AppGlobals.AdministratorCount, 2);
    closeList();
}

TEST_F(UsersListTest, HasNoDeleteKeyAndItsButtonCallsTheUserForm)
{
    test::addUser("alfa", "Ana", { 30 });
    startList();
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Delete);
    EXPECT_EQ(driver.window(QString::fromUtf8(kDeleting)), nullptr);
    driver.click(QStringLiteral("?DELETE:2"));
    EXPECT_NE(driver.window(QString::fromUtf8(kDeleting)), nullptr);
    ASSERT_TRUE(driver.answer(QString::fromUtf8(kKeepLastAdministratorOnDelete), QStringLiteral("OK")));
    EXPECT_FALSE(driver.find(QStringLiteral("?OK"))->isEnabled()) << "the only administrator";
    driver.click(QStringLiteral("?CANCEL"));
    closeList();
}

TEST_F(UsersListTest, DeletingOneOfTwoAdministratorsProtectsTheOtherAfterTheRefresh)
{
    test::addUser("alfa", "Ana", { 30 });
    test::addUser("beta", "Berta", { 30 });
    startList();
    ASSERT_EQ(views::AppGlobals.AdministratorCount, 2);
    driver.click(QStringLiteral("?DELETE:2"));
    ASSERT_NE(driver.window(QString::fromUtf8(kDeleting)), nullptr);
    ASSERT_TRUE(driver.find(QStringLiteral("?OK"))->isEnabled());
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil([this] { return driver.window(QString::fromUtf8(kDeleting)) == nullptr; }));
    ASSERT_EQ(rows()->rowCount(), 1);
    EXPECT_EQ(shownName(0), QStringLiteral("Berta"));
    EXPECT_EQ(views::AppGlobals.AdministratorCount, 1);

    driver.click(QStringLiteral("?DELETE:2"));
    ASSERT_TRUE(driver.answer(QString::fromUtf8(kKeepLastAdministratorOnDelete), QStringLiteral("OK")));
    EXPECT_FALSE(driver.find(QStringLiteral("?OK"))->isEnabled());
    driver.click(QStringLiteral("?CANCEL"));
    closeList();
}

TEST_F(UsersListTest, TheFirstAdministratorIsCreatedFromAnEmptyList)
{
    startList();
    EXPECT_EQ(rows()->rowCount(), 0);
    EXPECT_EQ(views::AppGlobals.AdministratorCount, 0);
    driver.click(QStringLiteral("?INSERT:2"));
    ASSERT_NE(driver.window(QStringLiteral("Agregando un Registro a USUARIOS")), nullptr);
    driver.type(QStringLiteral("?ACC:CLAVE"), QStringLiteral("jefa"));
    driver.type(QStringLiteral("?ACC:NOMBRE"), QStringLiteral("Dra. Núñez"));
    driver.click(QStringLiteral("?ACC:PUERTAS_30"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil(
        [this] { return driver.window(QStringLiteral("Agregando un Registro a USUARIOS")) == nullptr; }));
    ASSERT_EQ(rows()->rowCount(), 1);
    EXPECT_EQ(shownName(0), QStringLiteral("Dra. Núñez"));
    EXPECT_EQ(views::AppGlobals.AdministratorCount, 1) << "counted again when the form returned";
    closeList();

    data::Dictionary data;
    auto& users = data.access<data::ACCESOS>();
    ASSERT_EQ(users.open(), data::AccessResult::Ok);
    data.buffer<data::ACCESOS>().CLAVE = QStringLiteral("JEFA");
    ASSERT_EQ(users.fetch(users.key("ACC:KCLAVE")), data::AccessResult::Ok);
    const data::ACCESOS& stored = data.buffer<data::ACCESOS>();
    EXPECT_EQ(stored.NOMBRE, QStringLiteral("Dra. Núñez"));
    for (int right = 1; right <= 30; ++right)
        EXPECT_EQ(stored.PUERTAS[std::size_t(right - 1)], 1) << "right " << right;
    users.close();
}

} // namespace
} // namespace nidora::shell
