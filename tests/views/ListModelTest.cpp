#include "views/ListModel.h"

#include "data/AccessTestFixture.h"

#include <QColor>

#include <gmock/gmock.h>

namespace nidora::views {
namespace {

using data::FileId;
using data::PACIENTES;

class ListModelTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(FileId::PACIENTES).open(), data::AccessResult::Ok);
        PACIENTES ana = nidora::test::patient(12, "Ana", "OSDE", "");
        ana.SEXO = "F";
        ana.NROOBRASOCIAL = "A-1";
        ana.FNACIMIENTO = 80000;
        store(ana);
        store(nidora::test::patient(3, "Bruno"));
    }
    const data::FileDesc& desc() { return access(FileId::PACIENTES).desc(); }
    const data::FieldDesc& field(const char* name) { return *desc().field(QString::fromUtf8(name)); }

    PagingCursor view { access(FileId::PACIENTES), { { &key(FileId::PACIENTES, "PAC:KNOMBRE") } }, 5 };
};

TEST_F(ListModelTest, ShowsTheVisiblePageThroughTheColumnsPictures)
{
    ListModel model(view,
        { fieldColumn(field("PAC:CODIGO"), "Código", "@n7"), fieldColumn(field("PAC:NOMBRE"), "Nombre"),
            fieldColumn(field("PAC:FNACIMIENTO"), "F.Nacimiento", "@d6"),
            fieldColumn(field("PAC:OBRASOCIAL"), "", "@s20", "Cobertura Social"),
            fieldColumn(field("PAC:NROOBRASOCIAL"), "", "@s15", "Cobertura Social") });
    view.open();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "     12");
    EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
        Qt::AlignRight);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "Bruno");
    EXPECT_EQ(model.data(model.index(0, 3)).toString(), "OSDE");
    EXPECT_FALSE(model.data(model.index(0, 2)).toString().trimmed().isEmpty());
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Nombre");
    EXPECT_EQ(
        model.headerData(4, Qt::Horizontal, ListModel::GroupHeadingRole).toString(), "Cobertura Social");
    EXPECT_TRUE(model.data(model.index(0, 0), ListModel::HighlightedRole).toBool());

    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    view.move(ListMove::RowDown);
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(model.data(model.index(1, 0), ListModel::HighlightedRole).toBool());
}

TEST_F(ListModelTest, ColoursEachRowFromItsRecord)
{
    ListModel model(view, { fieldColumn(field("PAC:NOMBRE"), "Nombre") });
    model.setRowColouring([](const data::Record& r) {
        return static_cast<const PACIENTES&>(r).SEXO == "F"
            ? RowColours { 0x8000FF, 0xFFFFFF, 0xFFFFFF, 0x8000FF }
            : RowColours { 0xFF0000, 0xFFFFFF, 0xFFFFFF, 0xFF0000 };
    });
    view.open();
    EXPECT_EQ(model.data(model.index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(0xFF, 0x00, 0x80));
    EXPECT_EQ(model.data(model.index(0, 0), ListModel::SelectedBackgroundRole).value<QColor>(),
        QColor(0xFF, 0x00, 0x80));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
}

} // namespace
} // namespace nidora::views
