#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QtGlobal>

#include <deque>

namespace nidora::controls {

// A clickable area in content coordinates. Like the platform rectangles the panel was drawn
// with, it is half-open: a point on the left or top edge is inside, one on the right or bottom
// edge is not, so that two areas that touch never both claim a point.
struct MouseRect {
    int LEFT = 0;
    int TOP = 0;
    int RIGHT = 0;
    int BOTTOM = 0;

    bool contains(QPoint p) const { return p.x() >= LEFT && p.x() < RIGHT && p.y() >= TOP && p.y() < BOTTOM; }
    bool isEmpty() const { return RIGHT <= LEFT || BOTTOM <= TOP; }
    friend bool operator==(const MouseRect&, const MouseRect&) = default;
};

// Text alignment of a task, as the owners give it; 1 aligns left as well.
enum TaskJustification : int {
    JustifyLeft = 0,
    JustifyRight = 2,
    JustifyCentre = 3,
};

struct TaskRecord {
    qint32 ID = 0;
    QString TITLE;
    bool ISVISIBLE = true;
    bool ISHOVERED = false;
    MouseRect MOUSERECT; // empty while the task is not laid out
    QString ICONNAME;
    QString TOOLTIP;
    bool ISDISABLED = false;
    bool ISBOLD = false;
    qint32 LEFTACTIONFEQ = 0; // the window control the task stands for, 0 for none
    bool MIMICBUTTON = false;
    int JUSTIFICATION = JustifyLeft;
    bool MIMICICON = true;
    bool MIMICTEXT = true;
    QPointer<QAbstractButton> BUTTONWND; // the mirrored button, when it could be found
    quint32 USERDATA = 0;
    QIcon BUTTONICON; // the mirrored button's icon, drawn in place of ICONNAME when set

    bool hasIcon() const { return !BUTTONICON.isNull() || !ICONNAME.trimmed().isEmpty(); }
};

struct HeaderRecord {
    qint32 ID = 0;
    QString TITLE;
    bool ISVISIBLE = true;
    bool ISHOVERED = false;
    MouseRect MOUSERECT;
    QString ICONNAME;
    QString TOOLTIP; // kept with the header; headers show no tooltip
    bool ISEXPANDED = false;
    std::deque<TaskRecord> TASKQUEUE; // a deque so that records stay put while tasks are added
    int STYLE = 0; // 1 paints with the second header colours and glyphs
    bool ISALWAYSEXPANDED = false;
    int ICONSIZES = 24;
    bool DONTWIZARD = false;
    bool WORDWRAP = true;
    bool ISBOXED = false;
};

// Stored colours, 0x00BBGGRR; system colour values are resolved before they get here.
struct ColourPart {
    quint32 BACKGROUND = 0;
    quint32 GRADIENTFROM = 0;
    quint32 GRADIENTTO = 0;
    quint32 TEXT = 0;
    quint32 HOVERED = 0;
    quint32 DISABLED = 0;
    friend bool operator==(const ColourPart&, const ColourPart&) = default;
};

struct ColourSchema {
    ColourPart PANEL;
    ColourPart HEADERS;
    ColourPart HEADERS2;
    ColourPart TASKS;
};

// The parts of the colour scheme by the numbers SetColors takes.
enum ColourPartNumber : int {
    PanelColours = 1,
    HeaderColours = 2,
    SecondHeaderColours = 3,
    TaskColours = 4,
};

struct PanelMargins {
    int TOP = 20;
    int LEFT = 10;
    int RIGHT = 10;
    int BOTTOM = 20; // the gap between groups
};

} // namespace nidora::controls
