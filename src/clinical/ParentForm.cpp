// UpdateMADRES and UpdatePADRES.
#include "clinical/ParentWindows.h"

#include "clinical/ChoiceLists.h"

#include "data/PatientRecords.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlSheet.h"
#include "framework/PromptColumn.h"
#include "views/FormWindow.h"

#include <type_traits>

namespace nidora::clinical {
namespace {

using framework::Control;
using framework::EntryControl;
using framework::entryValue;
using framework::PromptColumn;
using framework::TypedChoice;
using framework::handled::Consumed;
using framework::handled::GoOn;

constexpr int kWidth = 280;
constexpr int kPromptX = 8;
constexpr int kFieldX = 78;
constexpr int kHistoryHeight = 60;

// A mother's form, or a father's: the same rows but for the mother's address, telephone and
// coverage.
template <class Parent> class ParentForm final : public views::FormWindow {
public:
    static constexpr bool kMother = std::is_same_v<Parent, data::MADRES>;

    ParentForm()
        : FormWindow(QString::fromLatin1(kMother ? "UpdateMADRES" : "UpdatePADRES"), Parent::fileId,
            { QStringLiteral("Nuevo Registro"), QStringLiteral("Editando Registro"),
                QStringLiteral("Borrar Registro?") })
    {
        Parent& parent = record<Parent>();
        const QString prefix = QStringLiteral("?") + access().desc().prefix + QStringLiteral(":");
        const auto named = [&prefix](const char* field) { return prefix + QString::fromLatin1(field); };
        setCaption(QString::fromLatin1(kMother ? "Madres" : "Padres"));
        const int sheetHeight = kMother ? 164 : 108;
        setSize(kWidth, sheetHeight + 30);
        setCentred();
        auto& sheet = add<framework::SheetControl>(QStringLiteral("?CURRENTTAB"),
            { 4, 4, kWidth - 8, sheetHeight }, framework::SheetControl::Style::Wizard);
        auto& page
            = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB1"), {}, QStringLiteral("General"));
        PromptColumn rows(*this, page,
            { .promptX = kPromptX, .fieldX = kFieldX, .top = 8, .promptDown = 1, .fieldHeight = 11 });
        const auto entry = [&](const char* prompt, const char* field, int width, const char* picture,
                               QString& value) -> EntryControl& {
            return rows.row<EntryControl>(QString::fromUtf8(prompt), named(field), { .width = width },
                QString::fromLatin1(picture), entryValue(value));
        };
        // The drop lists stand a unit taller than the entries and start a unit above their line.
        const auto dropList = [](int width) { return PromptColumn::Place { 0, width, 12, -1 }; };

        themed_.push_back(&entry("Nombre:", "NOMBRE", 124, "@s30", parent.NOMBRE));
        auto& group = rows.row<framework::DropListControl>(QStringLiteral("Grupo Sanguineo:"), named("GRUPO"),
            dropList(40), bloodGroupChoices(), framework::bindTo(parent.GRUPO));
        group.widget()->setStatusTip(QStringLiteral("Grupo Sanguineo"));
        themed_.push_back(&group);
        if constexpr (kMother) {
            themed_.push_back(&entry("Domicilio:", "DOMICILIO", 160, "@s40", parent.DOMICILIO));
            themed_.push_back(&entry("Ciudad:", "CIUDAD", 100, "@s25", parent.CIUDAD));
            themed_.push_back(&entry("Teléfono:", "TELEFONO", 124, "@s30", parent.TELEFONO));
            coverage_ = &rows.row<framework::ComboControl>(QStringLiteral("Cobertura social:"),
                named("OBRASOCIAL"), dropList(100), 20, 8, framework::bindTo(parent.OBRASOCIAL),
                framework::ControlKind::DropCombo);
            themed_.push_back(coverage_);
        }
        rows.row<framework::TextControl>(QStringLiteral("Antecedentes:"), named("ANTECEDENTES"),
            { .width = kWidth - 8 - kFieldX - 12, .height = kHistoryHeight },
            framework::bindTo(parent.ANTECEDENTES));

        const int buttonsY = sheetHeight + 10;
        addOk(QStringLiteral("?OK"), { kWidth - 102, buttonsY, 45, 14 }, QStringLiteral("OK"),
            QStringLiteral("si.bmp"));
        addCancel(QStringLiteral("?CANCEL"), { kWidth - 53, buttonsY, 45, 14 }, QStringLiteral("Cancelar"),
            QStringLiteral("no.bmp"));
        // The name's prompt heads the page: the focus goes to the name when the form opens and
        // after a save that failed.
        setFirstControl(control(named("NOMBRE") + QStringLiteral(":Prompt"))->number());
    }

protected:
    void onOpened() override
    {
        // The coverages' file is open as a parent of the mothers'.
        if constexpr (kMother)
            coverage_->setChoices(coverageNames(data()));
        FormWindow::onOpened();
    }

    int onAccepted(Control& control) override
    {
        if (const int result = FormWindow::onAccepted(control); result != GoOn)
            return result;
        if constexpr (kMother)
            if (&control == coverage_)
                return acceptCoverage();
        return GoOn;
    }

    std::vector<Control*> themedControls() const override { return themed_; }

private:
    // The coverage is one of the table's, or none: the form adds none. Text that names no
    // coverage is emptied, and the focus stays for another try.
    int acceptCoverage()
    {
        if (coverage_->pickTypedChoice().outcome != TypedChoice::Outcome::NoMatch)
            return GoOn;
        select(*coverage_);
        return Consumed;
    }

    std::vector<Control*> themed_;
    framework::ComboControl* coverage_ = nullptr;
};

} // namespace

void UpdateMADRES()
{
    ParentForm<data::MADRES>().run();
}

void UpdatePADRES()
{
    ParentForm<data::PADRES>().run();
}

} // namespace nidora::clinical
