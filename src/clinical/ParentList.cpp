// BrowseMADRES and BrowsePADRES.
#include "clinical/ParentWindows.h"

#include "data/PatientRecords.h"
#include "views/ListWindow.h"

#include <functional>

namespace nidora::clinical {
namespace {

using views::LocatorKind;

// What tells the two lists apart.
struct ParentFile {
    const char* procedure;
    data::FileId file;
    const char* caption;
    std::function<void()> form;
};

class ParentList final : public views::ListWindow {
public:
    explicit ParentList(const ParentFile& parents)
        : ListWindow(QString::fromUtf8(parents.procedure), parents.file)
    {
        setCaption(QString::fromUtf8(parents.caption));
        setSize(200, 190);
        const QString prefix = access().desc().prefix;
        const auto keyNamed = [&](const char* name) -> const data::KeyDesc& {
            return key((prefix + QString::fromUtf8(name)).toUtf8().constData());
        };
        const auto fieldNamed = [&](const char* name) -> const data::FieldDesc& {
            return field((prefix + QString::fromUtf8(name)).toUtf8().constData());
        };
        views::ListColumn group
            = views::fieldColumn(fieldNamed(":GRUPO"), QStringLiteral("G.Sang."), QStringLiteral("@s3"))
                  .sized(40);
        group.alignment = Qt::AlignHCenter;
        // The name order is the one the list opens in; the step locator of the second tab
        // moves on each typed character to the first group that begins with it.
        addList(QStringLiteral("?BROWSE:1"), { 8, 20, 184, 136 },
            { { &keyNamed(":KNOMBRE"), LocatorKind::Incremental, QStringLiteral("Indice por Nombres") },
                { &keyNamed(":KGRUPO"), LocatorKind::Step, QStringLiteral("Indice por grupo sanguineo") } },
            { views::fieldColumn(fieldNamed(":NOMBRE"), QStringLiteral("Nombre"), QStringLiteral("@s30"))
                    .sized(130),
                group });
        addEditButtons({ 8, 162, 44, 14 }, 46);
        addButton(views::ListButton::Select, QStringLiteral("?SELECT"), { 148, 162, 44, 14 },
            QStringLiteral("&Selecc."), QStringLiteral("select.ico"));
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 192, 178 });
        setForm(parents.form);
        // Called to choose, the list opens on the one in the buffer: the patient form leaves there
        // the name typed, or the first one after it, so the user starts near what he typed.
        openOnTheCallersRecordWhenChoosing();
        // Grown, the window gives the room to the list; the buttons keep to its foot.
        followWindowSize();
    }

protected:
    // No control of the list is painted in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }
};

} // namespace

void BrowseMADRES()
{
    ParentList({ "BrowseMADRES", data::FileId::MADRES, "Archivo de Madres", UpdateMADRES }).run();
}

void BrowsePADRES()
{
    ParentList({ "BrowsePADRES", data::FileId::PADRES, "Archivo de Padres", UpdatePADRES }).run();
}

} // namespace nidora::clinical
