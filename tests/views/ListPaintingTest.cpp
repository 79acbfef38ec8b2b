#include "views/ListHeader.h"
#include "views/ListModel.h"
#include "views/ListRowDelegate.h"

#include "data/AccessTestFixture.h"

#include <QImage>
#include <QPainter>
#include <QTableView>

#include <gmock/gmock.h>

namespace nidora::views {
namespace {

using data::FileId;
using data::PACIENTES;

// A table as the list control sets it up, painted into an image.
class ListPaintingTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(FileId::PACIENTES).open(), data::AccessResult::Ok);
        PACIENTES ana = nidora::test::patient(1, "Ana");
        ana.SEXO = "F";
        store(ana);
        store(nidora::test::patient(2, "Bruno"));
        table.setHorizontalHeader(new ListHeader(&table));
        table.setItemDelegate(new ListRowDelegate(&table));
        table.setSelectionBehavior(QAbstractItemView::SelectRows);
        table.resize(600, 200);
    }
    const data::FieldDesc& field(const char* name)
    {
        return *access(FileId::PACIENTES).desc().field(QString::fromUtf8(name));
    }
    void show(ListModel& model)
    {
        table.setModel(&model);
        view.open();
        for (int column = 0; column < model.columnCount(); ++column)
            table.horizontalHeader()->resizeSection(column, 200);
        table.show();
    }
    void highlight(int row)
    {
        table.selectionModel()->setCurrentIndex(
            table.model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QImage paint(QWidget& widget)
    {
        QImage image(widget.size(), QImage::Format_RGB32);
        widget.render(&image);
        return image;
    }
    // The colour at the right end of a row, where no text is.
    QColor rowBackground(int row)
    {
        const QRect cell = table.visualRect(table.model()->index(row, 0));
        return paint(*table.viewport()).pixelColor(cell.right() - 3, cell.center().y());
    }

    PagingCursor view { access(FileId::PACIENTES), { { &key(FileId::PACIENTES, "PAC:KNOMBRE") } }, 5 };
    QTableView table;
};

TEST_F(ListPaintingTest, TheHighlightedRowIsPaintedInItsOwnSelectedColours)
{
    ListModel model(view, { fieldColumn(field("PAC:NOMBRE"), "Nombre") });
    model.setRowColouring([](const data::Record& r) {
        return static_cast<const PACIENTES&>(r).SEXO == "F"
            ? RowColours { 0x8000FF, 0xFFFFFF, 0xFFFFFF, 0x8000FF }
            : RowColours { 0xFF0000, 0xFFFFFF, 0xFFFFFF, 0xFF0000 };
    });
    show(model);
    highlight(0);
    EXPECT_EQ(rowBackground(0), QColor(0xFF, 0x00, 0x80)); // the girl's purple
    EXPECT_EQ(rowBackground(1), QColor(Qt::white));
    highlight(1);
    table.clearFocus(); // the highlight keeps its colour without the focus
    EXPECT_EQ(rowBackground(1), QColor(0x00, 0x00, 0xFF));
}

// With each column 200 pixels wide, a heading centred on one column leaves the edge between
// the two blank; the group's heading, centred on both, is written across it.
TEST_F(ListPaintingTest, AGroupHeadingIsWrittenOnceAcrossItsColumnsAboveTheirOwn)
{
    ListModel plain(view, { fieldColumn(field("PAC:NOMBRE"), "Nombre") });
    table.setModel(&plain);
    const int oneLine = table.horizontalHeader()->sizeHint().height();

    ListModel grouped(view,
        { fieldColumn(field("PAC:OBRASOCIAL"), "", "@s20", "Cobertura Social Completa"),
            fieldColumn(field("PAC:NROOBRASOCIAL"), "", "@s15", "Cobertura Social Completa") });
    show(grouped);
    QHeaderView& header = *table.horizontalHeader();
    EXPECT_EQ(header.sizeHint().height(), 2 * oneLine);
    header.resize(header.width(), header.sizeHint().height());
    const QImage painted = paint(header);
    const int edge = header.sectionViewportPosition(1);
    const QColor band = painted.pixelColor(edge - 60, header.height() / 4 - 6);
    int written = 0;
    for (int x = edge - 8; x <= edge + 8; ++x)
        for (int y = 2; y < header.height() / 2 - 2; ++y)
            written += painted.pixelColor(x, y).lightness() < band.lightness() - 60;
    EXPECT_GT(written, 0);
}

} // namespace
} // namespace nidora::views
