#include "practice/ParametosAgenda.h"

#include "practice/WorkingHours.h"

#include "framework/ControlButton.h"
#include "framework/ControlEdits.h"
#include "framework/ControlLabels.h"
#include "framework/ControlPictureSpin.h"
#include "framework/MessageBoxes.h"
#include "framework/Window.h"

namespace nidora::practice {
namespace {

using framework::DialogRect;
using framework::PromptControl;
using framework::StringControl;

constexpr int kQuarterHour = 15 * timePerMinute;
constexpr int kDayLength = 24 * 60; // minutes

// Where each weekday's row and each of its four times stand.
constexpr int kRowTop = 20;
constexpr int kRowStep = 16;
constexpr int kTimeX[] = { 56, 100, 152, 196 };

int rowY(int weekday)
{
    return kRowTop + kRowStep * (weekday - 1);
}

class WorkingHoursWindow final : public framework::Window {
public:
    WorkingHoursWindow()
        : Window(QStringLiteral("ParametosAgenda"))
    {
        setCaption(QStringLiteral("Parámetros Agenda"));
        setSize(244, 160);
        setCentred();
        setWallpaper(QStringLiteral("fondo.bmp"));
        const char* days[] = { "Lunes", "Martes", "Miércoles", "Jueves", "Viernes", "Sábado", "Domingo" };
        const auto dayName = [&](int weekday, const char* name) {
            add<StringControl>(QString::fromLatin1(name), DialogRect { 6, rowY(weekday) + 2, 46, 10 },
                QString::fromUtf8(days[weekday - 1]));
        };
        dayName(1, "?STRING1");
        dayName(2, "?STRING1:2");
        dayName(3, "?STRING1:3");
        dayName(4, "?STRING1:4");
        add<PromptControl>(QStringLiteral("?PROMPT1:2"), DialogRect { kTimeX[2], 6, 88, 10 },
            QStringLiteral("Horario Tarde:"));
        for (int weekday = 1; weekday <= WorkingHours::kWeekdays; ++weekday)
            for (int run = 1; run <= WorkingHours::kRuns; ++run)
                add<framework::PictureSpinControl>(QStringLiteral("?HORARIO%1_%2").arg(run).arg(weekday),
                    DialogRect { kTimeX[run - 1], rowY(weekday), 40, 12 }, QStringLiteral("@T1"),
                    framework::bindTo(AgendaHours.at(run, weekday)), 0, maxTime, kQuarterHour);
        dayName(5, "?STRING1:5");
        dayName(6, "?STRING1:6");
        dayName(7, "?STRING1:7");
        add<PromptControl>(QStringLiteral("?PROMPT1:3"), DialogRect { 6, 138, 84, 10 },
            QStringLiteral("Intervalo entre turnos:"));
        // The step is a length of time, not a time of day: shown and typed in minutes.
        add<framework::SpinControl>(QStringLiteral("?INTERVALO"), DialogRect { 92, 136, 34, 12 },
            framework::ValueBinding { [] { return QVariant(AgendaHours.INTERVALO / timePerMinute); },
                [](const QVariant& minutes) { AgendaHours.INTERVALO = minutes.toInt() * timePerMinute; } },
            0, kDayLength, 5);
        add<StringControl>(
            QStringLiteral("?STRING2"), DialogRect { 130, 138, 30, 10 }, QStringLiteral("minutos"));
        ok_ = &add<framework::ButtonControl>(QStringLiteral("?BUTTON1"), DialogRect { 192, 134, 44, 16 },
            QStringLiteral("OK"), QStringLiteral("si.bmp"));
        add<PromptControl>(QStringLiteral("?PROMPT1"), DialogRect { kTimeX[0], 6, 88, 10 },
            QStringLiteral("Horario Mañana:"));
        setFirstControl(control(QStringLiteral("?HORARIO1_1"))->number());
    }

protected:
    // What the file holds now, with no default in place of a missing value.
    void onOpened() override
    {
        AgendaHours = readWorkingHours();
        display();
    }

    // The values as the controls show them, all 29 written at once. A settings file that
    // cannot be written is reported and the window stays open, so the hours are not taken for
    // saved; they hold for this run all the same.
    int onAccepted(framework::Control& control) override
    {
        if (&control != ok_)
            return framework::handled::GoOn;
        updateFields();
        if (!writeWorkingHours(AgendaHours)) {
            framework::showMessage(QString::fromUtf16(kNotWritten));
            return framework::handled::Consumed;
        }
        return framework::handled::EndLoop;
    }

private:
    static constexpr const char16_t* kNotWritten
        = u"No se pudo escribir el archivo de configuración nidora.ini: el horario no quedó guardado.";

    framework::ButtonControl* ok_ = nullptr;
};

} // namespace

void ParametosAgenda()
{
    WorkingHoursWindow().run();
}

} // namespace nidora::practice
