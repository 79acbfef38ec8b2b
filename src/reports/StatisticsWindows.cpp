#include "reports/StatisticsWindows.h"

#include "reports/StatisticsCharts.h"

#include "clinical/ChoiceLists.h"
#include "core/Clock.h"
#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlPictureSpin.h"
#include "framework/ControlShapes.h"
#include "framework/MessageBoxes.h"
#include "views/DataWindow.h"
#include "views/ProgramGlobals.h"

#include <QCoreApplication>

#include <array>

namespace nidora::reports {

namespace {

using framework::Control;
using framework::DialogRect;
using framework::PromptControl;
using framework::handled::Consumed;
using framework::handled::GoOn;

constexpr const char* kBackwardRange = "LA FECHA DESDE ES POSTERIOR A LA FECHA HASTA";

class StatisticsWindow final : public views::DataWindow {
public:
    explicit StatisticsWindow(const StatisticsChart& chart)
        : DataWindow(QString::fromLatin1(chart.procedure),
            chart.file == CountedFile::Pathologies ? data::FileId::ENFERMEDADES : data::FileId::CONSULTAS)
        , chart_(chart)
        , pathologies_(chart.file == CountedFile::Pathologies)
        , selection_(pathologies_ ? views::AppGlobals.SELECTPATOLOGIA : views::AppGlobals.SELECTMOTIVO)
    {
        openAlso(data::FileId::GRAFICO);
        openAlso(pathologies_ ? data::FileId::TABENFERMED : data::FileId::MOTIVOS);
        if (chart.grouping == Grouping::BySex)
            openAlso(data::FileId::PACIENTES);
        setCaption(QStringLiteral("Graficas"));
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setWallpaper(QStringLiteral("paplib.bmp"));
        setCentred();
        describe();
    }

protected:
    void onOpened() override
    {
        DataWindow::onOpened();
        names_->setChoices(pathologies_ ? clinical::pathologyNames(data()) : clinical::reasonNames(data()));
        const Date today = Clock::today();
        if (chart_.grouping == Grouping::Monthly)
            views::AppGlobals.ANIO = std::int16_t(dateParts(today).year);
        else if (chart_.grouping != Grouping::Yearly && views::AppGlobals.HF == noDate)
            views::AppGlobals.HF = today;
        display();
    }

    // The window's own copy of GRAFICO goes with it.
    void closeFiles() override
    {
        DataWindow::closeFiles();
        data().access(data::FileId::GRAFICO).dropOwnCopy();
    }

    int onAccepted(Control& control) override
    {
        if (const int result = DataWindow::onAccepted(control); result != GoOn)
            return result;
        if (&control == ok_)
            return count();
        // The read-only copies of the age bounds follow their spin boxes.
        updateFields();
        display();
        return GoOn;
    }

private:
    bool dated() const { return chart_.grouping == Grouping::BySex || chart_.grouping == Grouping::ByAge; }

    void describe()
    {
        const QString nameTitle = pathologies_ ? QStringLiteral("Patología:") : QStringLiteral("Consulta:");
        const int width = pathologies_ ? 20 : 25;
        names_ = &add<framework::ComboControl>(
            pathologies_ ? QStringLiteral("?SELECTPATOLOGIA") : QStringLiteral("?SELECTMOTIVO"),
            DialogRect { 62, 8, 128, 12 }, width, 10, framework::bindTo(selection_),
            framework::ControlKind::DropCombo);
        int y = 26;
        if (chart_.grouping == Grouping::Monthly) {
            add<PromptControl>(
                QStringLiteral("?PROMPT2"), DialogRect { 10, y + 2, 50, 10 }, QStringLiteral("Año:"));
            add<framework::PictureSpinControl>(QStringLiteral("?ANIO"), DialogRect { 62, y, 44, 12 },
                QStringLiteral("@n04"), framework::bindTo(views::AppGlobals.ANIO), 1900, 3000, 1);
            y += 18;
        }
        if (dated()) {
            add<PromptControl>(
                QStringLiteral("?PROMPT2"), DialogRect { 10, y + 2, 50, 10 }, QStringLiteral("Desde Fecha:"));
            from_ = &add<framework::EntryControl>(QStringLiteral("?DF"), DialogRect { 62, y, 52, 12 },
                QStringLiteral("@D6"), framework::entryValue(views::AppGlobals.DF));
            y += 16;
            add<PromptControl>(
                QStringLiteral("?PROMPT3"), DialogRect { 10, y + 2, 50, 10 }, QStringLiteral("Hasta Fecha:"));
            add<framework::EntryControl>(QStringLiteral("?HF"), DialogRect { 62, y, 52, 12 },
                QStringLiteral("@D6"), framework::entryValue(views::AppGlobals.HF));
            y += 18;
        }
        if (chart_.grouping == Grouping::ByAge)
            y = describeAgeGroups(y);
        add<PromptControl>(QStringLiteral("?PROMPT1"), DialogRect { 10, 10, 50, 10 }, nameTitle);
        ok_ = &add<framework::ButtonControl>(
            QStringLiteral("?BUTTON1"), DialogRect { 150, y, 40, 20 }, QString(), QStringLiteral("si.bmp"));
        ok_->setTip(QStringLiteral("Ver el gráfico"));
        progress_ = &add<framework::ProgressControl>(
            QStringLiteral("?PROGRESS1"), DialogRect { 10, y + 4, 130, 10 });
        progress_->setVisible(false);
        setSize(200, y + 26);
    }

    // The four groups read as their chart labels: "1- menores de [1] años", "2- de 1 a [5] años"...
    int describeAgeGroups(int y)
    {
        add<framework::BoxControl>(QStringLiteral("?GROUP1"), DialogRect { 6, y, 188, 74 });
        add<PromptControl>(
            QStringLiteral("?PROMPT5"), DialogRect { 10, y + 3, 80, 10 }, QStringLiteral("Grupos etareos:"));
        const auto text = [this](const char* name, int x, int row, int width, const char* shown) {
            add<PromptControl>(
                QString::fromLatin1(name), DialogRect { x, row + 2, width, 10 }, QString::fromUtf8(shown));
        };
        const auto spin = [this](const char* name, int x, int row, int& bound) {
            add<framework::PictureSpinControl>(QString::fromLatin1(name), DialogRect { x, row, 30, 12 },
                QStringLiteral("@n2"), framework::bindTo(bound), 1, 99, 1);
        };
        const auto copy = [this](const char* name, int x, int row, int& bound) {
            add<framework::StringControl>(QString::fromLatin1(name), DialogRect { x, row + 2, 14, 10 },
                *parsePicture(u"@n2"), framework::bindTo(bound));
        };
        const std::array<int, 4> rows { y + 16, y + 30, y + 44, y + 58 };
        text("?STRING1", 12, rows[0], 10, "1-");
        text("?STRING2", 24, rows[0], 46, "menores de");
        spin("?EDAD1", 72, rows[0], ages_[0]);
        text("?STRING3", 106, rows[0], 24, "años");
        text("?STRING4", 12, rows[1], 10, "2-");
        text("?STRING5", 24, rows[1], 12, "de");
        copy("?EDAD1:2", 38, rows[1], ages_[0]);
        text("?STRING6", 56, rows[1], 10, "a");
        spin("?EDAD2", 72, rows[1], ages_[1]);
        text("?STRING7", 106, rows[1], 24, "años");
        text("?STRING8", 12, rows[2], 10, "3-");
        text("?STRING9", 24, rows[2], 12, "de");
        copy("?EDAD2:2", 38, rows[2], ages_[1]);
        text("?STRING10", 56, rows[2], 10, "a");
        spin("?EDAD3", 72, rows[2], ages_[2]);
        text("?STRING11", 106, rows[2], 24, "años");
        text("?STRING12", 12, rows[3], 10, "4-");
        text("?STRING13", 24, rows[3], 46, "mayores de");
        copy("?EDAD3:2", 72, rows[3], ages_[2]);
        text("?STRING14", 106, rows[3], 24, "años");
        return y + 78;
    }

    int count()
    {
        updateFields();
        // A range that ends before it starts can hold no record: the user is told so and may
        // mend the dates, instead of seeing an empty chart.
        if (dated() && views::AppGlobals.DF > views::AppGlobals.HF) {
            framework::showMessage(QString::fromUtf8(kBackwardRange));
            select(*from_);
            return Consumed;
        }
        StatisticsSelection selection;
        selection.name = selection_;
        selection.year = views::AppGlobals.ANIO;
        selection.from = views::AppGlobals.DF;
        selection.to = views::AppGlobals.HF;
        selection.ages = { ages_[0], ages_[1], ages_[2] };
        ok_->setEnabled(false);
        progress_->setValue(0);
        progress_->setVisible(true);
        // The bar is repainted between batches; the window's thread gives way to the others
        // meanwhile, and stops counting when it is asked to end.
        const std::optional<std::vector<ChartRow>> rows
            = countChartRows(data(), chart_.file, chart_.grouping, selection, [this](int percent) {
                  progress_->setValue(percent);
                  return framework::waitFor(std::chrono::milliseconds(0));
              });
        // Stopped before the end (the thread is ending) or the file could not be read, as said.
        if (!rows)
            return framework::handled::EndLoop;
        progress_->setValue(100);
        if (fillChartPoints(data(), *rows)) {
            setChartTexts(
                chart_, chartSubtitle(chart_, selection_, selection.year, selection.from, selection.to));
            showChart(chart_);
        }
        return framework::handled::EndLoop;
    }

    const StatisticsChart& chart_;
    const bool pathologies_;
    QString& selection_;
    std::array<int, 3> ages_ { 1, 5, 10 };
    framework::ComboControl* names_ = nullptr;
    framework::EntryControl* from_ = nullptr;
    framework::ButtonControl* ok_ = nullptr;
    framework::ProgressControl* progress_ = nullptr;
};

void runStatistics(const char* procedure)
{
    if (const StatisticsChart* chart = statisticsChart(QString::fromLatin1(procedure))) {
        StatisticsWindow window(*chart);
        window.run();
    }
}

} // namespace

void PantallaG1()
{
    runStatistics("PantallaG1");
}
void PantallaG2()
{
    runStatistics("PantallaG2");
}
void PantallaG3()
{
    runStatistics("PantallaG3");
}
void PantallaG4()
{
    runStatistics("PantallaG4");
}
void PantallaG21()
{
    runStatistics("PantallaG21");
}
void PantallaG22()
{
    runStatistics("PantallaG22");
}
void PantallaG23()
{
    runStatistics("PantallaG23");
}
void PantallaG24()
{
    runStatistics("PantallaG24");
}

} // namespace nidora::reports
