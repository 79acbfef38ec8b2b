// UpdateMOTIVOS and Ficha:OBRASSOCIALES: the two tables whose record is one name.
#include "practice/ReferenceTables.h"
#include "practice/TableForm.h"

#include "data/ReferenceRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "views/DictionarySetup.h"

namespace nidora::practice {
namespace {

// What tells the two forms apart.
struct NameTable {
    const char* procedure;
    data::FileId file;
    const char* caption;
    views::FormCaptions captions;
    const char* prompt;
    const char* entry;
    int characters;
};

class NameForm final : public TableForm {
public:
    NameForm(const NameTable& table, QString& name)
        : TableForm(QString::fromUtf8(table.procedure), table.file, table.captions,
            QString::fromUtf8(table.caption), 200, 60)
    {
        framework::TabControl& page = addPage(QStringLiteral("General"));
        const QString entry = QString::fromUtf8(table.entry);
        addIn<framework::PromptControl>(
            page, entry + QStringLiteral(":Prompt"), { 6, 10, 70, 10 }, QString::fromUtf8(table.prompt));
        themed(addIn<framework::EntryControl>(page, entry, { 78, 9, table.characters * 4 + 8, 11 },
            QStringLiteral("@s%1").arg(table.characters), framework::entryValue(name)));
        addButtons();
        setFirstControl(control(entry)->number());
    }
};

} // namespace

void UpdateMOTIVOS()
{
    NameForm({ "UpdateMOTIVOS", data::FileId::MOTIVOS, "Motivos de Consultas",
                 { QStringLiteral("Nuevo Motivo Consulta"), QStringLiteral("Cambiar Motivo Consulta"),
                     QStringLiteral("Borrar Motivo Consulta?") },
                 "Título:", "?MOT:MOTIVO", 25 },
        views::threadDictionary().buffer<data::MOTIVOS>().MOTIVO)
        .run();
}

void Ficha_OBRASSOCIALES()
{
    NameForm({ "Ficha:OBRASSOCIALES", data::FileId::OBRASSOCIALES, "Coberturas Sociales",
                 { QStringLiteral("Nueva Cobertura"), QStringLiteral("Cambiar Cobertura"),
                     QStringLiteral("Borrar Cobertura?") },
                 "Cobertura Social:", "?OBR:NOMBRE", 20 },
        views::threadDictionary().buffer<data::OBRASSOCIALES>().NOMBRE)
        .run();
}

} // namespace nidora::practice
