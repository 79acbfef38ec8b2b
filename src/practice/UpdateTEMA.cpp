#include "practice/LibraryForm.h"
#include "practice/LibraryForms.h"

#include "data/ReferenceRecords.h"

namespace nidora::practice {
namespace {

class TopicForm final : public LibraryForm {
public:
    TopicForm()
        : LibraryForm(QStringLiteral("UpdateTEMA"), data::FileId::TEMAS,
            { QStringLiteral("Nuevo Tema"), QStringLiteral("Cambiar Tema"), QStringLiteral("Borrar Tema?"),
                QStringLiteral("Temas") },
            QStringLiteral("Temas"), 230, 50)
    {
        addName(QStringLiteral("Tema:"), QStringLiteral("?TEM:TEMA"), 8, record<data::TEMAS>().TEMA,
            QStringLiteral("Escriba el nombre del tema."));
        addButtons();
    }
};

} // namespace

void UpdateTEMA()
{
    TopicForm().run();
}

} // namespace nidora::practice
