#include "practice/SelectDate.h"

#include "practice/DatePicker.h"

#include "core/Clock.h"
#include "core/PictureFormat.h"
#include "framework/ControlButton.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlShapes.h"
#include "framework/FontSubstitution.h"
#include "framework/KeyCodes.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"

#include <QFontMetricsF>
#include <QMouseEvent>

#include <vector>

namespace nidora::practice {
namespace {

using framework::ButtonControl;
using framework::Control;
using framework::DialogRect;
using framework::StringControl;
namespace handled = framework::handled;

// A mouse button released on the grid; the value is the point in the dialog's units.
constexpr int kGridClick = 0x1101;

// The area over the grid that takes the clicks on the days.
class GridRegion final : public Control {
public:
    GridRegion()
        : Control(framework::ControlKind::Region, new Area(*this))
    {
    }

private:
    class Area final : public QWidget {
    public:
        explicit Area(GridRegion& region)
            : region_(region)
        {
        }

    protected:
        void mouseReleaseEvent(QMouseEvent* event) override
        {
            if (event->button() == Qt::LeftButton)
                region_.released(event->position().toPoint());
        }

    private:
        GridRegion& region_;
    };

    void released(QPoint pixels)
    {
        const QPoint inWindow = widget()->mapTo(window().widget(), pixels);
        const framework::DialogUnits& units = window().units();
        post(kGridClick, QPoint(inWindow.x() * 4 / units.baseWidth(), inWindow.y() * 8 / units.baseHeight()));
    }
};

// The text controls of the day numbers, by the first and last character of the month text
// they show: Sunday, Monday to Friday and Saturday of the first five rows, then the Sunday and
// Monday of the sixth.
std::vector<std::pair<int, int>> monthTextSlices()
{
    std::vector<std::pair<int, int>> slices;
    for (int row = 0; row < 5; ++row) {
        const int first = 21 * row + 1;
        slices.insert(
            slices.end(), { { first, first + 2 }, { first + 3, first + 17 }, { first + 18, first + 19 } });
    }
    slices.insert(slices.end(), { { 106, 108 }, { 109, 111 } });
    return slices;
}

const Picture kLongDate = *parsePicture(u"@d4");

class Calendar final : public framework::Window {
public:
    Calendar(const QString& caption, bool keepCaption, Date opening)
        : Window(QStringLiteral("SelectDate"), WithoutComponents {})
        , picker_(opening)
        , title_(!keepCaption && !caption.trimmed().isEmpty() ? caption : QStringLiteral("Calendar"))
    {
        setCaption(QStringLiteral("Calendar"));
        setSize(144, 104);
        setCentred();
        // Three characters to a cell of twelve units, whatever the fixed font's own width.
        QFont digits = framework::describedFont(QStringLiteral("Courier New"), 8);
        const qreal pitch = units().toPixelsX(DatePicker::kCellSize) / 3.0;
        digits.setLetterSpacing(
            QFont::AbsoluteSpacing, pitch - QFontMetricsF(digits).horizontalAdvance(u'0'));
        for (const auto& [first, last] : monthTextSlices()) {
            const QPoint at = DatePicker::cellCorner((first + 2) / 3);
            auto& text = add<StringControl>(QStringLiteral("?MONTHTEXT_%1_%2").arg(first).arg(last),
                DialogRect { at.x(), at.y() + 2, (last - first + 1) * 4 + 2, 9 }, QString());
            text.setFont(digits);
            slices_.push_back({ &text, first, last });
        }
        // The headings in a small face, centred over their columns, so that the seven fit.
        const QFont small = framework::describedFont(QStringLiteral("MS Sans Serif"), 6);
        const char* headings[] = { "Sun", "Mon", "Tue", "Wed", "Thr", "Fri", "Sat" };
        for (int column = 0; column < 7; ++column) {
            auto& heading = add<StringControl>(QStringLiteral("?STRING%1").arg(column + 1),
                DialogRect { DatePicker::kColumnX[std::size_t(column)], 15, DatePicker::kCellSize, 9 },
                QString::fromLatin1(headings[column]));
            heading.setFont(small);
            static_cast<QLabel*>(heading.widget())->setAlignment(Qt::AlignCenter);
        }
        // Only the white ground the day numbers stand on; the keys typed on it are the picker's.
        auto& ground = add<framework::EntryControl>(QStringLiteral("?FORLOOKSONLY"),
            DialogRect { 3, 25, 88, 76 }, QStringLiteral("@s20"),
            framework::EntryValue { [](const Picture&) { return QString(); }, {} });
        ground.setReadOnly(true);
        ground.widget()->lower();
        region_ = &add<GridRegion>(QStringLiteral("?REGION1"), DialogRect { 5, 27, 85, 72 });
        ok_ = &add<ButtonControl>(
            QStringLiteral("?OKBUTTON"), DialogRect { 97, 27, 42, 14 }, QStringLiteral("&OK"));
        cancel_ = &add<ButtonControl>(
            QStringLiteral("?EXITNODATE"), DialogRect { 97, 45, 42, 14 }, QStringLiteral("&Cancel"));
        today_ = &add<ButtonControl>(
            QStringLiteral("?GOTODAY"), DialogRect { 97, 63, 42, 14 }, QStringLiteral("&Today"));
        minus_ = &add<ButtonControl>(
            QStringLiteral("?MONTHMINUS"), DialogRect { 97, 3, 20, 12 }, QStringLiteral("<"));
        plus_ = &add<ButtonControl>(
            QStringLiteral("?MONTHPLUS"), DialogRect { 119, 3, 20, 12 }, QStringLiteral(">"));
        date_ = &add<StringControl>(QStringLiteral("?WORKINGDATE"), DialogRect { 5, 4, 86, 10 }, QString());
        static_cast<QLabel*>(date_->widget())->setAlignment(Qt::AlignCenter);
        add<framework::LineControl>(QStringLiteral("?LINE1"), DialogRect { 5, 24, 84, 1 });
        box_ = &add<framework::BoxControl>(QStringLiteral("?ACTIVEDAY"), DialogRect {});
        box_->widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
        setFirstControl(ground.number());
        for (const int key : { keys::Right, keys::Left, keys::Down, keys::Up, keys::PageDown, keys::PageUp,
                 keys::withCtrl(keys::PageDown), keys::withCtrl(keys::PageUp), keys::Home, keys::Enter,
                 keys::Escape })
            addAlertKey(key);
    }

    Date result() const { return result_; }

protected:
    void onOpened() override
    {
        setCaption(title_);
        show();
    }

    std::vector<Control*> themedControls() const override { return {}; }

    int onFieldEvent(Control& control, const framework::ThreadEvent& event) override
    {
        if (event.code == framework::event::AlertKey)
            return shown(key(event.value.toInt()));
        if (&control == region_ && event.code == kGridClick)
            return shown(picker_.click(event.value.toPoint()) ? accept() : handled::Consumed);
        return handled::GoOn;
    }

    int onAccepted(Control& control) override
    {
        if (&control == ok_)
            return accept();
        if (&control == cancel_)
            return cancel();
        if (&control == today_)
            picker_.goTo(Clock::today());
        else if (&control == minus_)
            picker_.previousMonth();
        else if (&control == plus_)
            picker_.nextMonth();
        else
            return handled::GoOn;
        return shown(handled::Consumed);
    }

    // Closed from its title bar: the day picked so far.
    int onWindowEvent(const framework::ThreadEvent& event) override
    {
        if (event.code == framework::event::CloseWindow)
            return accept();
        return Window::onWindowEvent(event);
    }

private:
    struct Slice {
        StringControl* text;
        int first;
        int last;
    };

    int key(int code)
    {
        switch (code) {
        case keys::Right:
            picker_.nextDay();
            break;
        case keys::Left:
            picker_.previousDay();
            break;
        case keys::Down:
            picker_.nextWeek();
            break;
        case keys::Up:
            picker_.previousWeek();
            break;
        case keys::PageDown:
            picker_.nextMonth();
            break;
        case keys::PageUp:
            picker_.previousMonth();
            break;
        case keys::withCtrl(keys::PageDown):
            picker_.nextYear();
            break;
        case keys::withCtrl(keys::PageUp):
            picker_.previousYear();
            break;
        case keys::Home:
            picker_.goHome();
            break;
        case keys::Enter:
            return accept();
        case keys::Escape:
            return cancel();
        default:
            return handled::GoOn;
        }
        return handled::Consumed;
    }

    int accept()
    {
        result_ = picker_.workingDate();
        return handled::EndLoop;
    }
    int cancel()
    {
        result_ = noDate;
        return handled::EndLoop;
    }

    // The dialog shows the picker's values again after whatever it handled.
    int shown(int result)
    {
        if (result != handled::EndLoop)
            show();
        return result;
    }
    void show()
    {
        for (const Slice& slice : slices_)
            slice.text->setText(picker_.monthTextSlice(slice.first, slice.last));
        date_->setText(formatLong(kLongDate, picker_.workingDate()).trimmed());
        const QPoint at = picker_.box();
        box_->widget()->setGeometry(
            units().toPixels(DialogRect { at.x(), at.y(), DatePicker::kCellSize, DatePicker::kCellSize }));
    }

    DatePicker picker_;
    QString title_;
    Date result_ = noDate;
    std::vector<Slice> slices_;
    GridRegion* region_ = nullptr;
    ButtonControl* ok_ = nullptr;
    ButtonControl* cancel_ = nullptr;
    ButtonControl* today_ = nullptr;
    ButtonControl* minus_ = nullptr;
    ButtonControl* plus_ = nullptr;
    StringControl* date_ = nullptr;
    Control* box_ = nullptr;
};

} // namespace

std::int32_t SelectDate(
    const QString& caption, std::uint8_t keepCaption, std::int32_t startDate, std::uint8_t startAtToday)
{
    const Date opening = startAtToday != 0 || startDate == noDate ? Clock::today() : startDate;
    Calendar calendar(caption, keepCaption != 0, opening);
    calendar.run();
    return calendar.result();
}

} // namespace nidora::practice
