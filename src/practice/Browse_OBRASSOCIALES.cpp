#include "practice/ReferenceTables.h"

#include "data/ReferenceRecords.h"
#include "views/ListWindow.h"

namespace nidora::practice {
namespace {

using views::ListButton;

class CoverageList final : public views::ListWindow {
public:
    CoverageList()
        : ListWindow(QStringLiteral("Browse:OBRASSOCIALES"), data::FileId::OBRASSOCIALES)
    {
        setCaption(QStringLiteral("Coberturas Sociales"));
        setSize(160, 170);
        setWallpaper(QStringLiteral("fondo.bmp"));
        addList(QStringLiteral("?BROWSE:1"), { 8, 22, 120, 136 },
            { { &key("OBR:KNOMBRE"), views::LocatorKind::Incremental, QString() } },
            { views::fieldColumn(field("OBR:NOMBRE"), QStringLiteral("Nombre"), QStringLiteral("@s20"))
                    .sized(80) });
        // Icon buttons down the list's side, each told by its tip.
        const struct {
            ListButton role;
            const char* name;
            const char* icon;
            const char* tip;
        } buttons[] = {
            { ListButton::Select, "?SELECT:2", "select.ico", "Seleccionar" },
            { ListButton::Insert, "?INSERT:3", "New.ico", "Agregar Cobertura" },
            { ListButton::Change, "?CHANGE:3", "cambiar.ico", "Cambiar Cobertura" },
            { ListButton::Delete, "?DELETE:3", "borrar.ico", "Borrar Cobertura" },
        };
        int y = 22;
        for (const auto& each : buttons) {
            addButton(each.role, QString::fromLatin1(each.name), { 132, y, 20, 18 }, QString(),
                QString::fromLatin1(each.icon))
                .setTip(QString::fromUtf8(each.tip));
            y += 22;
        }
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 152, 160 });
        // The buttons only: no keys and no menu entries for adding, changing or deleting.
        withoutEditKeys();
        setForm(Ficha_OBRASSOCIALES);
    }

protected:
    // No control of the list is painted in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }
};

} // namespace

void Browse_OBRASSOCIALES()
{
    CoverageList().run();
}

} // namespace nidora::practice
