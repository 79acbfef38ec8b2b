#include "practice/ReferenceTables.h"

#include "data/AccessBuffer.h"
#include "data/ReferenceRecords.h"
#include "views/ListWindow.h"

#include <memory>

namespace nidora::practice {
namespace {

class PathologyList final : public views::ListWindow {
public:
    PathologyList()
        : ListWindow(QStringLiteral("BrowseENFERMEDADES"), data::FileId::TABENFERMED)
    {
        setCaption(QStringLiteral("Tabla de Patologías"));
        setSize(200, 190);
        setWallpaper(QStringLiteral("fondo.bmp"));
        addList(QStringLiteral("?BROWSE:1"), { 8, 20, 184, 136 },
            { { &key("TEN:KNOMBRE"), views::LocatorKind::Incremental,
                QStringLiteral("Indice por Nombres") } },
            { views::fieldColumn(field("TEN:NOMBRE"), QStringLiteral("Nombre"), QStringLiteral("@s20"))
                    .sized(80) });
        addEditButtons({ 8, 162, 44, 14 }, 46);
        addButton(views::ListButton::Select, QStringLiteral("?SELECT"), { 148, 162, 44, 14 },
            QStringLiteral("&Selecc."), QStringLiteral("select.ico"));
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 192, 178 }, framework::SheetControl::Style::Wizard);
        setForm(UpdateTABENFERMED);
        // The consultation form leaves the diagnosis typed in the buffer.
        openOnTheCallersRecordWhenChoosing();
    }

protected:
    // What the caller left in the pathology buffer, put back when nothing is chosen: a row
    // changed or deleted through the list's form must not reach the caller as a choice.
    bool onSetUp() override
    {
        callers_ = data::cloneRecord(access().desc(), access().buffer());
        return ListWindow::onSetUp();
    }
    void closeFiles() override
    {
        if (response() != Completed)
            data::copyRecord(access().desc(), *callers_, access().buffer());
        ListWindow::closeFiles();
    }

    // No control of the list is painted in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }

private:
    std::unique_ptr<data::Record> callers_;
};

} // namespace

void BrowseENFERMEDADES()
{
    PathologyList().run();
}

} // namespace nidora::practice
