#include "practice/LibraryForm.h"
#include "practice/LibraryForms.h"

#include "data/ReferenceRecords.h"

namespace nidora::practice {
namespace {

// A title of one topic, which the library gives it: the form shows the topic and edits the title.
class TitleForm final : public LibraryForm {
public:
    TitleForm()
        : LibraryForm(QStringLiteral("UpdateTITULO"), data::FileId::TITULOS,
            { QStringLiteral("Nuevo Título"), QStringLiteral("Cambiar Título"),
                QStringLiteral("Borrar Título"), QStringLiteral("Títulos") },
            QStringLiteral("Títulos"), 230, 64)
    {
        data::TITULOS& title = record<data::TITULOS>();
        addName(QStringLiteral("Título:"), QStringLiteral("?TIT:TITULO"), 22, title.TITULO,
            QStringLiteral("Escriba el título."));
        addButtons();
        addShown(QStringLiteral("Tema:"), QStringLiteral("?TIT:TEMA"), 8, title.TEMA);
    }
};

} // namespace

void UpdateTITULO()
{
    TitleForm().run();
}

} // namespace nidora::practice
