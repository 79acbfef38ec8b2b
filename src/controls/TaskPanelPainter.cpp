#include "controls/TaskPanelPainter.h"

#include "controls/ProgramIcon.h"
#include "controls/TaskPanel.h"
#include "controls/TaskPanelLayout.h"
#include "framework/Colour.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace nidora::controls {

namespace {

const QColor frameColour = Qt::white;

QColor toColour(quint32 value)
{
    return colour::toQColor(value);
}

// Fills the half-open span [x0, x1) × [y0, y1), the way the panel's edges are measured.
void fillSpan(QPainter& p, int x0, int y0, int x1, int y1, const QColor& c)
{
    if (x1 > x0 && y1 > y0)
        p.fillRect(QRect(x0, y0, x1 - x0, y1 - y0), c);
}

// One-pixel frame lines that, like platform lines, leave out their end point.
void verticalLine(QPainter& p, int x, int y0, int y1)
{
    fillSpan(p, x, y0, x + 1, y1, frameColour);
}

void horizontalLine(QPainter& p, int x0, int x1, int y)
{
    fillSpan(p, x0, y, x1, y + 1, frameColour);
}

Qt::Alignment alignmentOf(int justification)
{
    switch (justification) {
    case JustifyRight:
        return Qt::AlignRight;
    case JustifyCentre:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

void paintHeaderBand(QPainter& p, const HeaderRecord& h, const ColourPart& part, const GroupLayout& group,
    const TaskPanelLayout& layout)
{
    const int left = layout.left;
    const int right = layout.right;
    const int top = group.top;
    const QRect band(left, top, right - left - 1, headerBandHeight);
    // The top corners keep what lies under them, which rounds the band off.
    const int last = band.right();
    QRegion shape(band);
    for (const QPoint corner : { QPoint(left, top), QPoint(left + 1, top), QPoint(left, top + 1),
             QPoint(last, top), QPoint(last - 1, top), QPoint(last, top + 1) })
        shape -= QRegion(corner.x(), corner.y(), 1, 1);
    QLinearGradient gradient(left, 0, right - 1, 0);
    gradient.setColorAt(0, toColour(part.GRADIENTFROM));
    gradient.setColorAt(1, toColour(part.GRADIENTTO));
    p.save();
    p.setClipRegion(shape);
    p.fillRect(band, gradient);
    p.restore();

    if (!h.ICONNAME.trimmed().isEmpty())
        programIcon(h.ICONNAME).paint(&p, QRect(left, top - 8, 32, 32));
    if (!h.ISALWAYSEXPANDED)
        programIcon(glyphIconName(h.ISEXPANDED, h.ISHOVERED, h.STYLE))
            .paint(&p, QRect(right - 24, top + 4, 24, 24));
}

void paintHeaderTitle(QPainter& p, const TaskPanel& panel, const HeaderRecord& h, const ColourPart& part,
    const GroupLayout& group)
{
    const QFont font = panel.headerFont();
    const QString text = QFontMetrics(font).elidedText(h.TITLE, Qt::ElideRight, group.titleRect.width());
    p.setFont(font);
    p.setPen(toColour(h.ISHOVERED ? part.HOVERED : part.TEXT));
    p.drawText(group.titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void paintTaskRow(QPainter& p, const TaskPanel& panel, const HeaderRecord& h, const TaskRowLayout& row,
    const TaskPanelLayout& layout)
{
    const TaskRecord& t = h.TASKQUEUE[row.task];
    const ColourPart& tasks = panel.colours().TASKS;
    const int left = layout.left;
    const int right = layout.right;
    const int bottom = row.top + row.height;
    fillSpan(p, left, row.top, right - 1, bottom, toColour(tasks.BACKGROUND));
    verticalLine(p, left, row.top, bottom);
    verticalLine(p, right - 2, row.top, bottom);

    const QRect iconRect(left + 5, row.top + 1, h.ICONSIZES, h.ICONSIZES);
    if (!t.BUTTONICON.isNull())
        t.BUTTONICON.paint(&p, iconRect);
    else if (!t.ICONNAME.trimmed().isEmpty())
        programIcon(t.ICONNAME).paint(&p, iconRect);

    const QFont font = panel.taskFont(t.ISBOLD, t.ISHOVERED);
    p.setFont(font);
    p.setPen(toColour(t.ISDISABLED ? tasks.DISABLED : tasks.TEXT));
    const Qt::Alignment align = alignmentOf(t.JUSTIFICATION);
    if (row.wrapped) {
        // Measured in a narrower width than this, so the lines fit.
        p.drawText(row.textRect, int(align | Qt::AlignTop | Qt::TextWordWrap), t.TITLE);
    } else {
        const QString text = QFontMetrics(font).elidedText(t.TITLE, Qt::ElideRight, row.textRect.width());
        p.drawText(row.textRect, int(align | Qt::AlignVCenter | Qt::TextSingleLine), text);
    }
}

// The frame around a group's rows: a strip above the first and a closing edge under the last.
void paintTaskFrame(
    QPainter& p, const TaskPanel& panel, const GroupLayout& group, const TaskPanelLayout& layout)
{
    const QColor background = toColour(panel.colours().TASKS.BACKGROUND);
    const int left = layout.left;
    const int right = layout.right;
    const int first = group.rows.front().top;
    fillSpan(p, left, first - 5, right - 1, first, background);
    verticalLine(p, left, first - 5, first);
    verticalLine(p, right - 2, first - 5, first);

    const int end = group.tasksBottom();
    fillSpan(p, left, end + 1, right - 1, end + 4, background);
    verticalLine(p, left, end - 3, end + 4);
    horizontalLine(p, left, right - 1, end + 4);
    verticalLine(p, right - 2, end - 3, end + 4);
}

} // namespace

QString glyphIconName(bool expanded, bool hovered, int style)
{
    QString name = QStringLiteral("TASKXP");
    name += expanded ? QLatin1Char('C') : QLatin1Char('E');
    if (hovered)
        name += QLatin1Char('S');
    if (style == 1)
        name += QLatin1Char('W');
    return name + QStringLiteral("_ICO");
}

void paintTaskPanel(QPainter& p, const TaskPanel& panel, const TaskPanelLayout& layout, int viewHeight)
{
    const ColourSchema& colours = panel.colours();
    const int extent = std::max(viewHeight, layout.contentHeight);
    QLinearGradient background(0, 0, 0, extent);
    background.setColorAt(0, toColour(colours.PANEL.GRADIENTFROM));
    background.setColorAt(1, toColour(colours.PANEL.GRADIENTTO));
    p.fillRect(QRect(0, 0, layout.width, extent), background);

    for (const GroupLayout& group : layout.groups) {
        const HeaderRecord& h = panel.headers()[group.header];
        if (h.ISBOXED) {
            horizontalLine(p, layout.left, layout.right - 1, group.top - 5);
        } else {
            const ColourPart& part = h.STYLE == 1 ? colours.HEADERS2 : colours.HEADERS;
            paintHeaderBand(p, h, part, group, layout);
            paintHeaderTitle(p, panel, h, part, group);
        }
        if (group.rows.empty())
            continue;
        paintTaskFrame(p, panel, group, layout);
        for (const TaskRowLayout& row : group.rows)
            paintTaskRow(p, panel, h, row, layout);
    }
}

} // namespace nidora::controls
