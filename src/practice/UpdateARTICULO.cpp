#include "practice/LibraryForm.h"
#include "practice/LibraryForms.h"

#include "data/ReferenceRecords.h"
#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlEdits.h"
#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"
#include "platform/FileChooser.h"
#include "platform/Shell.h"
#include "views/ProgramGlobals.h"

#include <array>
#include <optional>

namespace nidora::practice {
namespace {

using framework::handled::Consumed;
using framework::handled::GoOn;

// The most a link holds.
constexpr int kLinkLength = 120;

// An article of one title, which the library gives it: the form shows the topic and title and
// edits the article's name with its first three links, each with its description. The fourth
// and fifth links and descriptions have no place on it and keep what they hold.
class ArticleForm final : public LibraryForm {
public:
    ArticleForm()
        : LibraryForm(QStringLiteral("UpdateARTICULO"), data::FileId::ARTICULOS,
            { QStringLiteral("Nuevo Título"), QStringLiteral("Cambiar Título"),
                QStringLiteral("Borrar Título"), QStringLiteral("Títulos") },
            QStringLiteral("Títulos"), 340, 240)
    {
        data::ARTICULOS& article = record<data::ARTICULOS>();
        addName(QStringLiteral("Artículo:"), QStringLiteral("?ART:ARTICULO"), 38, article.ARTICULO,
            QStringLiteral("Escriba el nombre del artículo."));
        addLink(0, article.LINK1, article.NOTAS1, QStringLiteral("Descripción"));
        addLink(1, article.LINK2, article.NOTAS2, QStringLiteral("Descripción:"));
        addLink(2, article.LINK3, article.NOTAS3, QStringLiteral("Descripción:"));
        addButtons();
        addShown(QStringLiteral("Tema:"), QStringLiteral("?ART:TEMA"), 8, article.TEMA);
        addShown(QStringLiteral("Título:"), QStringLiteral("?ART:TITULO"), 22, article.TITULO);
    }

protected:
    int onAccepted(framework::Control& control) override
    {
        if (const int result = LibraryForm::onAccepted(control); result != GoOn)
            return result;
        for (Link& link : links_) {
            if (&control == link.lookUp)
                return lookUp(link);
            if (&control == link.open)
                return open(link);
        }
        return GoOn;
    }

private:
    struct Link {
        QString* value = nullptr;
        framework::ButtonControl* lookUp = nullptr;
        framework::ButtonControl* open = nullptr;
    };

    // The controls of link n (from 0): its prompt and entry, the look-up and open buttons on
    // the same line, and its description under them.
    void addLink(int n, QString& value, QString& notes, const QString& notesPrompt)
    {
        const int y = 56 + n * 54;
        const QString suffix = n == 0 ? QString() : QStringLiteral(":%1").arg(n + 1);
        const QString entryName = QStringLiteral("?ART:LINK%1").arg(n + 1);
        add<framework::PromptControl>(entryName + QStringLiteral(":Prompt"), { kPromptX, y + 1, 38, 10 },
            QStringLiteral("Link %1:").arg(n + 1));
        auto& entry = add<framework::EntryControl>(
            entryName, { kFieldX, y, 200, 10 }, QStringLiteral("@s120"), framework::entryValue(value));
        themed(entry);
        Link& link = links_[std::size_t(n)];
        link.value = &value;
        link.lookUp = &add<framework::ButtonControl>(QStringLiteral("?LOOKUPFILE") + suffix,
            framework::DialogRect { 250, y - 1, 14, 12 }, QString(), QStringLiteral("buscar.ico"));
        link.open = &add<framework::ButtonControl>(QStringLiteral("?BUTTON4") + suffix,
            framework::DialogRect { 266, y - 2, 68, 14 }, QStringLiteral("Ver Artículo"),
            QStringLiteral("explorer.ico"));
        const QString notesName = QStringLiteral("?ART:NOTAS%1").arg(n + 1);
        add<framework::PromptControl>(
            notesName + QStringLiteral(":Prompt"), { kPromptX, y + 15, 38, 10 }, notesPrompt);
        add<framework::TextControl>(
            notesName, framework::DialogRect { kFieldX, y + 14, 286, 34 }, framework::bindTo(notes));
    }

    // The chosen file's full name becomes the link; a cancelled dialog leaves the link as it
    // was. What was typed in the other controls is kept.
    int lookUp(Link& link)
    {
        updateFields();
        QWidget* parent = widget();
        const std::optional<QString> chosen = framework::awaitAnswer<QString>([parent](auto done) {
            platform::FileChooserService::current().choose(parent, QString(),
                { QStringLiteral("All Files"), { QStringLiteral("*.*") } }, std::move(done));
        });
        if (!chosen || chosen->isEmpty())
            return Consumed;
        *link.value = chosen->left(kLinkLength);
        display();
        return Consumed;
    }

    int open(const Link& link)
    {
        updateFields();
        views::AppGlobals.ShellTarget = *link.value;
        platform::ShellOpenWithMessage(
            views::AppGlobals.ShellTarget, [](const QString& text) { framework::showMessage(text); });
        return Consumed;
    }

    std::array<Link, 3> links_ {};
};

} // namespace

void UpdateARTICULO()
{
    ArticleForm().run();
}

} // namespace nidora::practice
