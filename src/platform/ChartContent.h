#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <vector>

// What a chart is made of, as the viewers hand it over piece by piece: the chart's place and
// background, the region inside it, a caption, a grid, axes, series, legends and free text
// boxes. Colours are stored values 0x00BBGGRR (red in the lowest byte). The codes named
// "style", "mark" or "alignment" are the chart layer's own vocabulary: a viewer passes them on
// as it was written with them, and the painter gives them their look (ChartPainting.h).
namespace nidora::platform::chart {

// Lists of labels and legend entries travel as one text, each entry followed by "*"
// ("Niños*Niñas**"); an empty entry is a blank label that keeps its place.
QStringList splitList(const QString& list);

// The chart's place and size, in the chart's own units: the size it is drawn at in a file, on
// the clipboard and on paper. On the window it is shown over `shown`, in the window's pixels,
// where the window's font makes those differ (empty: over `place`).
struct Frame {
    QRect place;
    quint32 background = 0xE3E3E3;
    int style = 3;
    QRect shown {};
};

// Where the drawing goes inside the chart: margins from the chart's edges (a negative right or
// bottom value counts from the far edge), and a footer line under it.
struct Region {
    int left = 5;
    int top = 5;
    int right = -5;
    int bottom = -5;
    QString footer;
};

struct Caption {
    QString text;
    quint32 background = 0; // 0: none, the chart's own
    quint32 textColour = 0;
    int fontSize = 10;
    bool bold = true;
};

struct Grid {
    quint32 background = 0xFFFFFF;
};

// An axis with numbers: the data axis of bars (min and max both 0: from the values), or the X
// and Y axes of lines. `alignment` names the axis; a line series names the two it is drawn on.
struct Axis {
    enum class Kind { Data, X, Y };
    Kind kind = Kind::Data;
    int alignment = 0;
    double min = 0;
    double max = 0;
    int ticks = 11; // labelled values from min to max, both included
    int fontSize = 8;
    quint32 textColour = 0;
    quint32 lineColour = 0;
    int lineStyle = 0;
    int decimals = 0;
    QString title;
};

// The axis of the bars' labels, one per bar.
struct LabelAxis {
    QString labels; // a list ("1*2*3*")
    int count = 0;
    int fontSize = 8;
    QString title;
};

struct BarSeries {
    std::vector<double> values;
    int type = 2;
    int style = 7;
    quint32 colour = 0;
};

struct LineSeries {
    std::vector<double> x;
    std::vector<double> y;
    quint32 colour = 0;
    int style = 0; // 68 dashes, 70 dots, 71 points joined thinly, 73 a solid line
    int width = 2;
    int mark = 0; // 0 none, 21 a filled circle on each point
    int xAxis = 12;
    int yAxis = 9;
};

struct PieSeries {
    std::vector<double> values;
    std::vector<quint32> palette; // slice colours, taken in turn
    int style = 57;
};

struct Legend {
    QString entries; // a list, as labels are
    int alignment = 1; // 1 under the drawing, 4 at its right
    int fontSize = 8;
};

// A text in a box at a place of the chart; `format` is the font size and "C" for centred
// ("10C").
struct TextBox {
    QString text;
    int x = 0;
    int y = 0;
    int style = 4;
    quint32 background = 0xFFFFFF;
    quint32 border = 0xFFFFFF;
    QString format;
};

// Dragging over the drawing zooms in on what was dragged over.
struct Zoom {
    int mode = 2;
    quint32 colour = 0xFF0000;
};

// Everything handed over since the chart was made.
struct Content {
    std::optional<Frame> frame;
    std::optional<Region> region;
    std::optional<Caption> caption;
    std::optional<Grid> grid;
    std::vector<Axis> axes;
    std::optional<LabelAxis> labelAxis;
    std::vector<BarSeries> bars;
    std::vector<LineSeries> lines;
    std::vector<PieSeries> pies;
    std::vector<Legend> legends;
    std::vector<TextBox> texts;
    std::optional<Zoom> zoom;

    const Axis* axis(Axis::Kind kind) const;
};

} // namespace nidora::platform::chart
