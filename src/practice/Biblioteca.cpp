#include "practice/Biblioteca.h"

#include "practice/LibraryForms.h"
#include "practice/LibraryTree.h"

#include "data/AccessBuffer.h"
#include "data/ReferenceRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlTree.h"
#include "framework/KeyCodes.h"
#include "framework/WindowEvent.h"
#include "views/DataWindow.h"

#include <QMenu>

#include <algorithm>
#include <cstdlib>

namespace nidora::practice {
namespace {

using framework::handled::Consumed;
using framework::handled::GoOn;

enum class Action { Add, Change, Delete };

// The window's own event: an entry of the right-click menu was chosen; the value is its Action.
constexpr int kMenuChoice = 1;

constexpr int kOpenKey = keys::withCtrl(keys::Right);
constexpr int kCloseKey = keys::withCtrl(keys::Left);

class Library final : public views::DataWindow {
public:
    Library()
        : DataWindow(QStringLiteral("Biblioteca"), data::FileId::TEMAS)
        , tree_(data())
    {
        setCaption(QStringLiteral("Bibliioteca"));
        setSize(280, 232);
        setWallpaper(QStringLiteral("fondo.bmp"));
        list_ = &add<framework::TreeListControl>(QStringLiteral("?RELTREE"), { 6, 6, 268, 196 });
        const auto button = [this](const char* name, int x, const char* text, const char* icon) {
            return &add<framework::ButtonControl>(QString::fromLatin1(name),
                framework::DialogRect { x, 210, 50, 14 }, QString::fromUtf8(text), QString::fromLatin1(icon));
        };
        insert_ = button("?INSERT", 6, "&Agregar", "new.ico");
        change_ = button("?CHANGE", 60, "&Cambiar", "cambiar.ico");
        delete_ = button("?DELETE", 114, "&Borrar", "borrar.ico");
    }

protected:
    bool onSetUp() override
    {
        if (!DataWindow::onSetUp())
            return false;
        loaded_ = tree_.load();
        return true;
    }

    void onOpened() override
    {
        DataWindow::onOpened();
        highlighted_ = 0;
        show();
        list_->addAlertKey(kOpenKey);
        list_->addAlertKey(kCloseKey);
        if (!loaded_)
            requestClose();
    }

    int onAccepted(framework::Control& control) override
    {
        if (&control == insert_)
            return act(Action::Add);
        if (&control == change_)
            return act(Action::Change);
        if (&control == delete_)
            return act(Action::Delete);
        return DataWindow::onAccepted(control);
    }

    int onFieldEvent(framework::Control& control, const framework::ThreadEvent& event) override
    {
        if (&control != list_)
            return DataWindow::onFieldEvent(control, event);
        switch (event.code) {
        case framework::event::NewSelection:
            highlighted_ = list_->currentRow();
            return Consumed;
        case framework::treeEvent::Expand:
            highlighted_ = event.value.toInt();
            return openEntry();
        case framework::treeEvent::Collapse:
            highlighted_ = event.value.toInt();
            return closeEntry();
        case framework::treeEvent::DoubleClick:
            highlighted_ = event.value.toInt();
            return act(Action::Change);
        case framework::treeEvent::ContextMenu:
            showMenu(event.value.toPoint());
            return Consumed;
        case framework::event::AlertKey:
            if (event.value.toInt() == kOpenKey)
                return openEntry();
            if (event.value.toInt() == kCloseKey)
                return closeEntry();
            return GoOn;
        default:
            return GoOn;
        }
    }

    int onWindowEvent(const framework::ThreadEvent& event) override
    {
        if (event.code == kMenuChoice)
            return act(Action(event.value.toInt()));
        if (event.code == framework::event::GainFocus) {
            // Whatever was changed elsewhere shows, and the highlight stays on its entry.
            remembered_ = tree_.entryAt(highlighted_);
            rebuild();
        }
        return DataWindow::onWindowEvent(event);
    }

    // No control of the library is painted in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }

private:
    void show()
    {
        std::vector<framework::TreeRow> rows;
        rows.reserve(tree_.rows().size());
        for (const LibraryRow& row : tree_.rows())
            rows.push_back(framework::TreeRow { row.display, row.level });
        list_->setRows(rows, highlighted_);
    }

    // Whether the entry read well. One that is gone (another station deleted it) leaves the tree
    // built again without it; a read that failed has shown its message, and the library cannot
    // go on without its rows.
    bool readWell(RowRead read)
    {
        if (read == RowRead::Gone)
            rebuild();
        else if (read == RowRead::Failed)
            requestClose();
        return read == RowRead::Ok;
    }

    int follow(RowRead read)
    {
        if (readWell(read))
            show();
        return Consumed;
    }

    int openEntry() { return follow(tree_.open(highlighted_)); }

    int closeEntry() { return follow(tree_.close(highlighted_)); }

    void rebuild()
    {
        if (!tree_.load())
            requestClose();
        if (const int found = tree_.find(remembered_); found >= 0)
            highlighted_ = found;
        // After a delete the highlighted row may be past the last one.
        highlighted_ = std::clamp(highlighted_, 0, std::max(tree_.rowCount() - 1, 0));
        show();
    }

    int act(Action action)
    {
        if (const int current = list_->currentRow(); current >= 0)
            highlighted_ = current;
        switch (action) {
        case Action::Add:
            addEntry();
            break;
        case Action::Change:
            editEntry(ChangeRecord);
            break;
        case Action::Delete:
            editEntry(DeleteRecord);
            break;
        }
        select(*list_);
        return Consumed;
    }

    // A new entry under the highlighted one: a topic on the heading, a title on a topic, an
    // article on a title or on an article of it.
    void addEntry()
    {
        const int level = std::abs(tree_.entryAt(highlighted_).level);
        int newLevel = LibraryTree::Topic;
        void (*form)() = UpdateTEMA;
        if (level == LibraryTree::Heading) {
            if (data().access(data::FileId::TEMAS).prime() != data::AccessResult::Ok)
                return;
        } else if (level == LibraryTree::Topic) {
            if (!reread(highlighted_))
                return;
            const QString topic = data().buffer<data::TEMAS>().TEMA;
            data::AccessObject& titles = data().access(data::FileId::TITULOS);
            data::clearRecord(titles.desc(), titles.buffer());
            data().buffer<data::TITULOS>().TEMA = topic;
            if (titles.prime(true) != data::AccessResult::Ok)
                return;
            newLevel = LibraryTree::Title;
            form = UpdateTITULO;
        } else {
            if (!reread(tree_.titleRowOf(highlighted_)))
                return;
            const data::TITULOS title = data().buffer<data::TITULOS>();
            data::AccessObject& articles = data().access(data::FileId::ARTICULOS);
            data::clearRecord(articles.desc(), articles.buffer());
            data().buffer<data::ARTICULOS>().TEMA = title.TEMA;
            data().buffer<data::ARTICULOS>().TITULO = title.TITULO;
            if (articles.prime(true) != data::AccessResult::Ok)
                return;
            newLevel = LibraryTree::Article;
            form = UpdateARTICULO;
        }
        if (framework::callWithRequest(InsertRecord, form) != Completed)
            return;
        remembered_ = LibraryEntry { newLevel, data().access(LibraryTree::fileOf(newLevel)).current().id };
        rebuild();
    }

    // A change or a delete of the highlighted entry; nothing on the heading.
    void editEntry(std::uint8_t request)
    {
        const LibraryEntry entry = tree_.entryAt(highlighted_);
        const int level = std::abs(entry.level);
        if (level == LibraryTree::Heading || !reread(highlighted_))
            return;
        void (*const forms[])() = { UpdateTEMA, UpdateTITULO, UpdateARTICULO };
        if (framework::callWithRequest(request, forms[level - 1]) != Completed)
            return;
        if (request == ChangeRecord)
            remembered_ = LibraryEntry { level, entry.position };
        rebuild();
    }

    // The row's record, as stored now, in its file's buffer for a form.
    bool reread(int row) { return readWell(tree_.reread(row)); }

    void showMenu(const QPoint& at)
    {
        auto* menu = new QMenu(list_->widget());
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const std::pair<Action, const char*> entries[]
            = { { Action::Add, "&Agregar" }, { Action::Change, "&Cambiar" }, { Action::Delete, "&Borrar" } };
        for (const auto& [action, text] : entries) {
            QAction* made = menu->addAction(QString::fromUtf8(text));
            QObject::connect(made, &QAction::triggered, list_->widget(),
                [this, action = action] { post(kMenuChoice, int(action)); });
        }
        menu->popup(list_->widget()->mapToGlobal(at));
    }

    LibraryTree tree_;
    framework::TreeListControl* list_ = nullptr;
    framework::ButtonControl* insert_ = nullptr;
    framework::ButtonControl* change_ = nullptr;
    framework::ButtonControl* delete_ = nullptr;
    bool loaded_ = true;
    int highlighted_ = 0;
    LibraryEntry remembered_;
};

} // namespace

void Biblioteca()
{
    Library().run();
}

} // namespace nidora::practice
