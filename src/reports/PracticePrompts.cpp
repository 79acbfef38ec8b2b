// The prompts about the practice as a whole: a date range, two initials, a blood group, a
// month, or a reason, pathology or coverage picked from its table.
#include "reports/PromptWindow.h"
#include "reports/Prompts.h"
#include "reports/ReportRows.h"
#include "reports/Reports.h"

#include "core/Clock.h"
#include "data/ReferenceRecords.h"
#include "framework/ControlChoices.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "views/ProgramGlobals.h"

#include <array>

namespace nidora::reports {
namespace {

using data::FileId;
using framework::PromptControl;
using views::AppGlobals;

// Every name of a table in the order of its key, read through the thread's buffer of the table,
// which the prompt has open.
template <class R> QStringList namesByKey(data::Dictionary& data, const char* key, QString R::*name)
{
    data::AccessObject& table = data.access<R>();
    table.setOrder(&table.key(key));
    QStringList names;
    while (table.next() == data::AccessResult::Ok)
        names << data.buffer<R>().*name;
    return names;
}

void today(std::int32_t& date)
{
    date = Clock::today();
}

// Pantalla21: the appointments of the days DF to HF, both today when the window opens.
class AppointmentsPrompt final : public PromptWindow {
public:
    AppointmentsPrompt()
        : PromptWindow(QStringLiteral("Pantalla21"), FileId::AGENDA, kOneLine)
    {
        addDateRange(10);
        addOk(28);
    }

protected:
    bool onSetUp() override
    {
        today(AppGlobals.DF);
        today(AppGlobals.HF);
        return PromptWindow::onSetUp();
    }
    bool fill() override { return fillOutput(writeAppointmentRows); }
    void print() override { PrintAGENDA(); }
};

// Pantalla22: the patients whose names begin from one initial to another.
class RosterPrompt final : public PromptWindow {
public:
    RosterPrompt()
        : PromptWindow(QStringLiteral("Pantalla22"), FileId::PACIENTES, kOneLine)
    {
        add<PromptControl>(QStringLiteral("?String:Lista"), { 8, 11, 100, 10 },
            QStringLiteral("Pacientes, lista alfabética:"));
        add<PromptControl>(QStringLiteral("?DLETRA:Prompt"), { 110, 11, 12, 10 }, QStringLiteral("de:"));
        add<framework::EntryControl>(QStringLiteral("?DLETRA"), { 124, 10, 14, 11 }, QStringLiteral("@s1"),
            framework::entryValue(AppGlobals.DLETRA));
        add<PromptControl>(QStringLiteral("?HLETRA:Prompt"), { 144, 11, 10, 10 }, QStringLiteral("a:"));
        add<framework::EntryControl>(QStringLiteral("?HLETRA"), { 156, 10, 14, 11 }, QStringLiteral("@s1"),
            framework::entryValue(AppGlobals.HLETRA));
        addOk(28);
    }

protected:
    void print() override { PrintPADRON(); }
};

// Pantalla23: the patients, mothers and fathers (as ticked) of one blood group.
class BloodGroupPrompt final : public PromptWindow {
public:
    BloodGroupPrompt()
        : PromptWindow(QStringLiteral("Pantalla23"), FileId::PACIENTES, kTwoLines)
    {
        add<PromptControl>(
            QStringLiteral("?SELECTGRUPO:Prompt"), { 8, 11, 60, 10 }, QStringLiteral("Grupo Sanguineo:"));
        std::vector<framework::DropListControl::Choice> groups;
        for (const char* group : { "0+", "0-", "A+", "A-", "B+", "B-", "AB+", "AB-" })
            groups.emplace_back(QString::fromLatin1(group), QString::fromLatin1(group));
        add<framework::DropListControl>(QStringLiteral("?SELECTGRUPO"), { 72, 10, 40, 12 }, std::move(groups),
            framework::bindTo(AppGlobals.SELECTGRUPO));
        add<PromptControl>(QStringLiteral("?SINFO:Prompt"), { 8, 29, 30, 10 }, QStringLiteral("Incluir:"));
        const char* kinds[] = { "Pacientes", "Madres", "Padres" };
        for (int i = 0; i < 3; ++i)
            add<framework::CheckControl>(QStringLiteral("?SINFO_%1").arg(i + 1), { 40 + 56 * i, 28, 54, 12 },
                QString::fromLatin1(kinds[i]), framework::bindTo(ticked_[std::size_t(i)]),
                QVariant::fromValue(std::uint8_t(1)), QVariant::fromValue(std::uint8_t(0)));
        addOk(46);
    }

protected:
    bool fill() override
    {
        const PeopleTicked ticked { ticked_[0] == 1, ticked_[1] == 1, ticked_[2] == 1 };
        return fillOutput([ticked](data::Dictionary& data, data::AccessObject& output) {
            return writeBloodGroupRows(data, output, ticked);
        });
    }
    void print() override { PrintGRUPOS(); }

private:
    std::array<std::uint8_t, 3> ticked_ {}; // SINFO
};

// Pantalla24: the birthdays of a month, the current one when the window opens.
class BirthdaysPrompt final : public PromptWindow {
public:
    BirthdaysPrompt()
        : PromptWindow(QStringLiteral("Pantalla24"), FileId::PACIENTES, kOneLine)
    {
        add<PromptControl>(
            QStringLiteral("?MES:Prompt"), { 8, 11, 70, 10 }, QStringLiteral("Cumpleaños del mes:"));
        add<framework::SpinControl>(
            QStringLiteral("?MES"), { 80, 10, 30, 12 }, framework::bindTo(AppGlobals.MES), 1, 12);
        addOk(28);
    }

protected:
    bool onSetUp() override
    {
        AppGlobals.MES = std::uint8_t(dateParts(Clock::today()).month);
        return PromptWindow::onSetUp();
    }
    bool fill() override { return fillOutput(writeBirthdayRows); }
    void print() override { PrintCUMPLE(); }
};

// Pantalla31, 32 and 33: a name picked from a table (or typed) and a date range ending today
// when the window opens.
class TablePrompt final : public PromptWindow {
public:
    struct Kind {
        const char* procedure;
        FileId reads;
        const char* prompt;
        const char* control;
        QString* value;
        int width;
        std::function<QStringList(data::Dictionary&)> names;
        void (*report)();
        bool (*rows)(data::Dictionary&, data::AccessObject&) = nullptr;
    };

    explicit TablePrompt(const Kind& kind)
        : PromptWindow(QString::fromLatin1(kind.procedure), kind.reads, kTwoLines)
        , kind_(kind)
    {
        add<PromptControl>(
            QStringLiteral("?SELECT:Prompt"), { 8, 11, 70, 10 }, QString::fromUtf8(kind.prompt));
        choices_ = &add<framework::ComboControl>(QString::fromLatin1(kind.control), { 80, 10, 110, 12 },
            kind.width, 10, framework::bindTo(*kind.value), framework::ControlKind::DropCombo);
        addDateRange(28);
        addOk(46);
    }

protected:
    bool onSetUp() override
    {
        today(AppGlobals.HF);
        return PromptWindow::onSetUp();
    }
    void onOpened() override
    {
        PromptWindow::onOpened();
        choices_->setChoices(kind_.names(data()));
    }
    bool fill() override { return !kind_.rows || fillOutput(kind_.rows); }
    void print() override { kind_.report(); }

private:
    Kind kind_;
    framework::ComboControl* choices_ = nullptr;
};

} // namespace

void Pantalla21()
{
    AppointmentsPrompt().run();
}

void Pantalla22()
{
    RosterPrompt().run();
}

void Pantalla23()
{
    BloodGroupPrompt().run();
}

void Pantalla24()
{
    BirthdaysPrompt().run();
}

void Pantalla31()
{
    // A reason holds 25 characters: the entry takes them all.
    TablePrompt(
        { "Pantalla31", FileId::CONSULTAS, "Motivo de consulta:", "?SELECTMOTIVO", &AppGlobals.SELECTMOTIVO,
            25,
            [](data::Dictionary& data) { return namesByKey(data, "MOT:KMOTIVO", &data::MOTIVOS::MOTIVO); },
            PrintCONSULTAS })
        .run();
}

void Pantalla32()
{
    TablePrompt({ "Pantalla32", FileId::ENFERMEDADES, "Patología:", "?SELECTPATOLOGIA",
                    &AppGlobals.SELECTPATOLOGIA, 20,
                    [](data::Dictionary& data) {
                        return namesByKey(data, "TEN:KNOMBRE", &data::TABENFERMED::NOMBRE);
                    },
                    PrintPATOLOGIAS })
        .run();
}

void Pantalla33()
{
    TablePrompt(
        { "Pantalla33", FileId::PACIENTES, "Covertura Social:", "?SELECTOBRAS", &AppGlobals.SELECTOBRAS, 20,
            [](data::Dictionary& data) {
                return namesByKey(data, "OBR:KNOMBRE", &data::OBRASSOCIALES::NOMBRE);
            },
            PrintCONSULTAS2, writeCoverageRows })
        .run();
}

} // namespace nidora::reports
