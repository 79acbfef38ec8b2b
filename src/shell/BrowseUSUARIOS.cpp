#include "shell/BrowseUSUARIOS.h"

#include "shell/USUARIOS_Ficha.h"
#include "shell/UserRules.h"
#include "views/ProgramGlobals.h"

#include "data/ReferenceRecords.h"
#include "views/ListWindow.h"

#include <QApplication>

namespace nidora::shell {
namespace {

class UserList final : public views::ListWindow {
public:
    UserList()
        : ListWindow(QStringLiteral("BrowseUSUARIOS"), data::FileId::ACCESOS)
    {
        setCaption(QStringLiteral("Usuarios"));
        setSize(180, 170);
        // The rows follow the users' codes although only their names are shown; a typed
        // character moves to the first code at or after it.
        addList(QStringLiteral("?BROWSE:1"), { 8, 20, 164, 110 },
            { { &key("ACC:KCLAVE"), views::LocatorKind::Incremental, QStringLiteral("Usuarios") } },
            { views::fieldColumn(field("ACC:NOMBRE"), QStringLiteral("Usuario"), QStringLiteral("@s30"))
                    .sized(120) });
        addEditButtons({ 8, 136, 50, 14 }, 57);
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 172, 152 });
        withoutEditKeys();
        setForm(USUARIOS_Ficha);
    }

protected:
    // The count follows the file as the rows last read it: at the opening and on each return
    // of the form. A read error leaves the last count.
    void onRowsRead() override
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        data::AccessObject& users = access();
        users.saveBuffer();
        if (const std::optional<int> count = countAdministrators(users))
            views::AppGlobals.AdministratorCount = std::uint8_t(*count);
        users.restoreBuffer();
        QApplication::restoreOverrideCursor();
    }
};

} // namespace

void BrowseUSUARIOS()
{
    UserList().run();
}

} // namespace nidora::shell
