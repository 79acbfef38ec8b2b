#include "practice/GrowthAge.h"
#include "practice/ReferenceTables.h"

#include "controls/TaskPanel.h"
#include "data/ReferenceRecords.h"
#include "framework/ControlLabels.h"
#include "framework/ControlSheet.h"
#include "framework/WindowEvent.h"
#include "views/DataWindow.h"

#include <array>
#include <optional>

namespace nidora::practice {
namespace {

using framework::DialogRect;
using views::elementColumn;
using views::fieldColumn;
using views::ListColumn;
using views::LocatorKind;

constexpr int kWidth = 480;
constexpr int kHeight = 230;
constexpr int kPanelWidth = 150;
constexpr DialogRect kSheet { kPanelWidth + 4, 4, kWidth - kPanelWidth - 8, kHeight - 8 };
constexpr DialogRect kList { 4, 4, kSheet.width - 12, kSheet.height - 34 };
constexpr int kButtonsY = kList.y + kList.height + 6;

// The five tables in the order of the panel's tasks and of the sheet's tabs.
struct Table {
    const char* task;
    const char* icon;
    void (*form)();
};
constexpr std::array<Table, 5> kTables { {
    { "Motivos de Consulta", "hospital nurse.ico", UpdateMOTIVOS },
    { "Coberturas Sociales", "health care shield.ico", Ficha_OBRASSOCIALES },
    { "Planes de Vacunación", "syringe.ico", UpdatePLANVACUNACION },
    { "Patologías", "dna.ico", UpdateTABENFERMED },
    { "Tablas de Crecimiento", "Graphique.ico", UpdateTABCRECIMIENTO },
} };

ListColumn sizedAs(ListColumn column, int width, Qt::Alignment alignment)
{
    column.width = width;
    column.alignment = alignment;
    return column;
}

// The side panel of the window: one header that stays open, a task per table. Choosing a task
// shows that table's page of the sheet, as a click on its tab would.
class TablesPanel final : public controls::TaskPanel {
public:
    explicit TablesPanel(framework::SheetControl& sheet)
        : sheet_(sheet)
    {
    }

    qint32 TABLAS = 0;
    std::array<qint32, kTables.size()> tasks {}; // TABLAS:MOTIVOSDECONSULTA ... TABLAS:TABLASDECRECIMIENTO

    void Init(QWidget* control) override
    {
        TABLAS = AddHeader(QStringLiteral("Tablas"), QString(), 0, true, false, 48, false);
        SetHeaderAlwaysExpanded(TABLAS, false, true, false);
        for (std::size_t k = 0; k < kTables.size(); ++k)
            tasks[k] = AddTask(QString::fromUtf8(kTables[k].task), QString::fromUtf8(kTables[k].icon),
                QString(), 0, false, false);
        SetColors(controls::PanelColours, 0xE6A07A, 0xE6A07A, 0xD67563, 0, 0, 0, false);
        SetColors(controls::HeaderColours, 0xF9E7E0, 0xB24D07, 0xC75C22, 0xFFFFFF, 0xFF8E42, 0, false);
        SetColors(controls::SecondHeaderColours, 0xF9E7E0, 0xFFFFFF, 0xF9D5C7, 0xC75C22, 0xFF8E42, 0, false);
        SetColors(controls::TaskColours, 0xF9E7E0, 0, 0, 0xBC3139, 0, 0, false);
        SetFont(QStringLiteral("MS Sans Serif"));
        SetMargins(5, 20, 5, false, 15, false);
        SetAppName(QStringLiteral("nidora.EXE"));
        SetWizardMode(true);
        TaskPanel::Init(control);
    }

    void OnClick(qint32 headerId, qint32 taskId, bool, qint32 value) override
    {
        if (headerId != TABLAS)
            return;
        if (taskId == 0) {
            SetHeaderExpanded(headerId, value == 0, false);
            return;
        }
        for (std::size_t k = 0; k < tasks.size(); ++k)
            if (tasks[k] == taskId)
                // The sheet tells its window of the new page as it does for a tab's click.
                sheet_.setCurrentPage(int(k));
    }

private:
    framework::SheetControl& sheet_;
};

class TablesWindow final : public views::DataWindow {
public:
    TablesWindow()
        : DataWindow(QStringLiteral("Tablas"), data::FileId::MOTIVOS)
    {
        setCaption(QStringLiteral("Tablas"));
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setSize(kWidth, kHeight);
        setWallpaper(QStringLiteral("fondo.bmp"));
        // The reasons come with every file related to them, the coverages and the pathologies
        // among them; the plans and the growth values are related to none that matters here.
        openAlso(data::FileId::PLANVACUNACION);
        openAlso(data::FileId::TABCRECIMIENTO);

        panelControl_
            = &add<framework::ImageControl>(QStringLiteral("?XPTASKPANEL"), { 0, 0, kPanelWidth, kHeight });
        sheet_ = &add<framework::SheetControl>(
            QStringLiteral("?SHEET2"), kSheet, framework::SheetControl::Style::Wizard);
        for (std::size_t k = 0; k < kTables.size(); ++k)
            pages_[k] = &addIn<framework::TabControl>(
                *sheet_, QStringLiteral("?TAB%1").arg(k + 6), {}, QStringLiteral("Tab %1").arg(k + 6));

        addNameTable(data::FileId::MOTIVOS, QStringLiteral("?LIST"), "MOT:KMOTIVO", "MOT:MOTIVO",
            QStringLiteral("Título"), 25, 100, LocatorKind::Incremental, QString());
        addNameTable(data::FileId::OBRASSOCIALES, QStringLiteral("?LIST:2"), "OBR:KNOMBRE", "OBR:NOMBRE",
            QStringLiteral("Nombre"), 20, 80, LocatorKind::Step, QStringLiteral(":2"));
        addPlans();
        addPathologies();
        addGrowthValues();
        taskPanel_.emplace(*sheet_);
    }

protected:
    void onOpened() override
    {
        DataWindow::onOpened();
        taskPanel_->Init(panelControl_->widget());
        select(panels()[0].list());
    }

    // Each list is read again when its page comes up, so it shows what other windows wrote
    // meanwhile, and takes the focus, so that typing locates in it at once.
    int onFieldEvent(framework::Control& control, const framework::ThreadEvent& event) override
    {
        if (&control == sheet_ && event.code == framework::event::NewSelection) {
            const int page = sheet_->currentPage();
            if (page >= 0 && page < int(panels().size())) {
                views::ListPanel& shown = panels()[std::size_t(page)];
                shown.refresh();
                select(shown.list());
            }
            return framework::handled::GoOn;
        }
        return DataWindow::onFieldEvent(control, event);
    }

    // The panel lets go of its control before the window goes.
    void closeFiles() override
    {
        taskPanel_.reset();
        DataWindow::closeFiles();
    }

    std::vector<framework::Control*> themedControls() const override { return {}; }

private:
    // A table's list on its page, with its buttons, asking the window's form-calling operation
    // with its own number (1 to 5, in the order of the tables).
    views::ListPanel& addTable(data::FileId file, const QString& list, std::vector<views::SortOrder> orders,
        std::vector<ListColumn> columns, const QString& suffix)
    {
        const std::size_t number = panels().size();
        views::ListPanel& panel = addPanel(file, pages_[number]);
        panel.addList(list, kList, std::move(orders), std::move(columns));
        panel.addEditButtons({ kList.x, kButtonsY, 45, 14 }, 48, suffix);
        panel.setForms([](int table) { kTables[std::size_t(table - 1)].form(); }, int(number) + 1);
        return panel;
    }

    // A table whose rows are one name, shown in one column.
    void addNameTable(data::FileId id, const QString& list, const char* key, const char* field,
        const QString& heading, int characters, int width, LocatorKind locator, const QString& suffix)
    {
        data::AccessObject& file = data().access(id);
        addTable(id, list, { { &file.key(key), locator } },
            { fieldColumn(*file.desc().field(QString::fromLatin1(field)), heading,
                QStringLiteral("@s%1").arg(characters))
                    .sized(width) },
            suffix);
    }

    // Ordered by the plan letter alone: the rows of one plan come in the order they were added.
    void addPlans()
    {
        data::AccessObject& file = data().access(data::FileId::PLANVACUNACION);
        const auto field = [&file](const char* name) -> const data::FieldDesc& {
            return *file.desc().field(QString::fromLatin1(name));
        };
        const QString age = QStringLiteral("Edad");
        addTable(data::FileId::PLANVACUNACION, QStringLiteral("?LIST:3"),
            { { &file.key("PLA:KPLANES"), LocatorKind::Step } },
            { sizedAs(fieldColumn(field("PLA:CODIGO"), QStringLiteral("Plan"), QStringLiteral("@s1")), 24,
                  Qt::AlignHCenter),
                fieldColumn(field("PLA:ANIOS"), QStringLiteral("A"), QStringLiteral("@n2"), age).sized(12),
                fieldColumn(field("PLA:MESES"), QStringLiteral("M"), QStringLiteral("@n2"), age).sized(12),
                sizedAs(fieldColumn(field("PLA:DIAS"), QStringLiteral("D"), QStringLiteral("@n2"), age), 14,
                    Qt::AlignHCenter),
                fieldColumn(field("PLA:VACUNA"), QStringLiteral("Vacuna"), QStringLiteral("@s20")).sized(86),
                fieldColumn(field("PLA:DOSIS"), QStringLiteral("Dosis"), QStringLiteral("@s10")).sized(40) },
            QStringLiteral(":3"));
    }

    void addPathologies()
    {
        data::AccessObject& file = data().access(data::FileId::TABENFERMED);
        // The notes show on one line, their first 255 characters.
        ListColumn notes { QStringLiteral("Notas"), QString(),
            [](const data::Record& row) {
                return static_cast<const data::TABENFERMED&>(row).CARACTERISTICAS.left(255).replace(
                    QLatin1Char('\n'), QLatin1Char(' '));
            } };
        notes.width = 1020;
        addTable(data::FileId::TABENFERMED, QStringLiteral("?LIST:4"),
            { { &file.key("TEN:KNOMBRE"), LocatorKind::Incremental } },
            { fieldColumn(*file.desc().field(QStringLiteral("TEN:NOMBRE")), QStringLiteral("Nombre"),
                  QStringLiteral("@s20"))
                    .sized(80),
                notes },
            QStringLiteral(":4"));
    }

    // The age in whole years (blank for none) and the months over them, then the lowest and the
    // highest percentile of weight and height for boys and girls.
    void addGrowthValues()
    {
        data::AccessObject& file = data().access(data::FileId::TABCRECIMIENTO);
        const QString age = QStringLiteral("Edad");
        const auto agePart = [&age](const char* heading, auto part) {
            ListColumn column { QString::fromLatin1(heading), age, [part](const data::Record& row) {
                                   const GrowthAge split
                                       = splitGrowthAge(static_cast<const data::TABCRECIMIENTO&>(row).EDAD);
                                   return part(split);
                               } };
            column.width = 13;
            column.alignment = Qt::AlignRight;
            return column;
        };
        std::vector<ListColumn> columns {
            agePart(
                "A", [](const GrowthAge& a) { return a.years == 0 ? QString() : QString::number(a.years); }),
            agePart("M", [](const GrowthAge& a) { return QString::number(a.months); }),
        };
        const struct {
            const char* field;
            const char* group;
            const char* lowest;
            const char* highest;
            int sex;
            const char* picture;
        } extremes[] = {
            { "TCR:PESOS", "Peso Niños", "Mínimo", "Máximo", 0, "@n7.3" },
            { "TCR:PESOS", "Peso Niñas", "Mínimo", "Máximo", 1, "@n7.3" },
            { "TCR:ALTURA", "Altura Niños", "Mínima", "Máximo", 0, "@n5.1" },
            { "TCR:ALTURA", "Altura Niñas", "Mínima", "Máxima", 1, "@n5.1" },
        };
        for (const auto& each : extremes) {
            const data::FieldDesc& field = *file.desc().field(QString::fromLatin1(each.field));
            const QString group = QString::fromUtf8(each.group);
            const QString picture = QString::fromLatin1(each.picture);
            columns.push_back(
                elementColumn(field, 0, each.sex, QString::fromUtf8(each.lowest), picture, group).sized(30));
            columns.push_back(
                elementColumn(field, 6, each.sex, QString::fromUtf8(each.highest), picture, group).sized(30));
        }
        addTable(data::FileId::TABCRECIMIENTO, QStringLiteral("?LIST:5"),
            { { &file.key("TCR:KEDAD"), LocatorKind::Step } }, std::move(columns), QStringLiteral(":5"));
    }

    framework::ImageControl* panelControl_ = nullptr;
    framework::SheetControl* sheet_ = nullptr;
    std::array<framework::TabControl*, kTables.size()> pages_ {};
    std::optional<TablesPanel> taskPanel_;
};

} // namespace

void Tablas()
{
    TablesWindow().run();
}

} // namespace nidora::practice
