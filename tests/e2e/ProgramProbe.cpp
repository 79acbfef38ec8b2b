// Loaded into the program's own process by the end-to-end test (LD_PRELOAD), never linked into
// the program: it only looks. It answers questions about what is on screen, one line on
// standard input each, with one line of JSON on standard output after the mark "@probe ":
//   windows         every shown window (the frame, the workspace's windows with their content's
//                   place and controls, message boxes), the open menu's title, the focused
//                   control's name, and every caption shown so far
//   find <name>     the shown widget of that object name (a control's name, "?OK")
//   action <text>   the menu-bar item, toolbar button or open menu's item of that text or tooltip
//   rows <name>     the rows of the list of that object name, first column (a tree's in display order),
//                   and as "cells" each top-level row's columns, trimmed and joined by "|"
// Every place is in the screen's coordinates, for the input the test sends through the X server.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <QToolBar>

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

QString plain(QString text)
{
    return text.remove(u'&');
}

QJsonObject place(const QRect& global, bool enabled)
{
    return QJsonObject { { QStringLiteral("x"), global.x() }, { QStringLiteral("y"), global.y() },
        { QStringLiteral("w"), global.width() }, { QStringLiteral("h"), global.height() },
        { QStringLiteral("enabled"), enabled } };
}

QJsonObject placeOf(const QWidget* widget)
{
    return place(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()), widget->isEnabled());
}

QString textOf(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return {};
}

class Probe final : public QObject {
public:
    Probe()
        : input_(STDIN_FILENO, QSocketNotifier::Read)
    {
        qApp->installEventFilter(this);
        connect(&input_, &QSocketNotifier::activated, this, &Probe::readCommand);
        reply(QJsonObject { { QStringLiteral("ready"), true } });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto type = event->type();
        if (type == QEvent::Show || type == QEvent::WindowTitleChange) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && (widget->isWindow() || qobject_cast<QMdiSubWindow*>(widget)) && widget->isVisible()
                && !widget->windowTitle().isEmpty() && !qobject_cast<QMenu*>(widget))
                shown_.append(widget->windowTitle());
        }
        return false;
    }

private:
    void readCommand()
    {
        char buffer[4096];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input_.setEnabled(false);
            return;
        }
        pending_.append(buffer, std::size_t(got));
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            const QString line = QString::fromUtf8(pending_.data(), qsizetype(end));
            pending_.erase(0, end + 1);
            answer(line);
        }
    }

    void answer(const QString& line)
    {
        const qsizetype space = line.indexOf(u' ');
        const QString verb = line.left(space < 0 ? line.size() : space);
        const QString argument = space < 0 ? QString() : line.mid(space + 1);
        if (verb == QLatin1String("windows"))
            reply(windows());
        else if (verb == QLatin1String("find"))
            reply(find(argument));
        else if (verb == QLatin1String("action"))
            reply(action(argument));
        else if (verb == QLatin1String("rows"))
            reply(rows(argument));
        else
            reply(QJsonObject { { QStringLiteral("error"), line } });
    }

    static void reply(const QJsonObject& answer)
    {
        const QByteArray line = "@probe " + QJsonDocument(answer).toJson(QJsonDocument::Compact) + '\n';
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
        std::fflush(stdout);
    }

    QJsonObject windows() const
    {
        QJsonArray shownNow;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || qobject_cast<QMenu*>(top))
                continue;
            QJsonObject entry = placeOf(top);
            entry.insert(QStringLiteral("title"), top->windowTitle());
            entry.insert(QStringLiteral("id"), QString::number(top->winId()));
            if (auto* box = qobject_cast<QMessageBox*>(top))
                entry.insert(QStringLiteral("text"), box->text());
            shownNow.append(entry);
            for (QMdiArea* area : top->findChildren<QMdiArea*>()) {
                for (QMdiSubWindow* sub : area->subWindowList()) {
                    if (!sub->isVisible())
                        continue;
                    QJsonObject inner = placeOf(sub);
                    inner.insert(QStringLiteral("title"), sub->windowTitle());
                    inner.insert(QStringLiteral("active"), area->activeSubWindow() == sub);
                    inner.insert(QStringLiteral("maximized"), sub->isMaximized());
                    inner.insert(QStringLiteral("framed"), !(sub->windowFlags() & Qt::FramelessWindowHint));
                    if (QWidget* content = sub->widget()) {
                        inner.insert(QStringLiteral("content"), placeOf(content));
                        QStringList controls;
                        for (const QWidget* control : content->findChildren<QWidget*>()) {
                            if (control->objectName().startsWith(u'?'))
                                controls << control->objectName();
                        }
                        inner.insert(QStringLiteral("controls"), QJsonArray::fromStringList(controls));
                    }
                    shownNow.append(inner);
                }
            }
        }
        QJsonObject answer { { QStringLiteral("windows"), shownNow },
            { QStringLiteral("shown"), QJsonArray::fromStringList(shown_) } };
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            answer.insert(QStringLiteral("menu"), plain(menu->title()));
        if (QWidget* focus = QApplication::focusWidget())
            answer.insert(QStringLiteral("focus"), focus->objectName());
        return answer;
    }

    // Where several windows hold a control of that name, the one in the active window.
    static QJsonObject find(const QString& name)
    {
        QWidget* chosen = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            for (QWidget* widget : top->findChildren<QWidget*>(name)) {
                if (!widget->isVisible())
                    continue;
                if (!chosen || inActiveWindow(widget))
                    chosen = widget;
            }
        }
        if (!chosen)
            return {};
        QJsonObject found = placeOf(chosen);
        found.insert(QStringLiteral("text"), textOf(chosen));
        if (auto* button = qobject_cast<QAbstractButton*>(chosen))
            found.insert(QStringLiteral("checked"), button->isChecked());
        return found;
    }

    static bool inActiveWindow(const QWidget* widget)
    {
        for (const QObject* up = widget; up; up = up->parent()) {
            if (auto* sub = qobject_cast<const QMdiSubWindow*>(up))
                return sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub;
        }
        return widget->isActiveWindow();
    }

    static QJsonObject action(const QString& text)
    {
        const auto matches = [&](const QAction* action) {
            return plain(action->text()) == text || plain(action->toolTip()) == text;
        };
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* item : menu->actions()) {
                if (matches(item))
                    return place(QRect(menu->mapToGlobal(menu->actionGeometry(item).topLeft()),
                                     menu->actionGeometry(item).size()),
                        item->isEnabled() && menu->isEnabled());
            }
        }
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            for (QMenuBar* bar : top->findChildren<QMenuBar*>()) {
                for (QAction* item : bar->actions()) {
                    if (matches(item))
                        return place(QRect(bar->mapToGlobal(bar->actionGeometry(item).topLeft()),
                                         bar->actionGeometry(item).size()),
                            item->isEnabled() && bar->isEnabled());
                }
            }
            for (QToolBar* tools : top->findChildren<QToolBar*>()) {
                for (QAction* item : tools->actions()) {
                    QWidget* button = tools->widgetForAction(item);
                    if (matches(item) && button) {
                        QJsonObject found = placeOf(button);
                        found.insert(QStringLiteral("enabled"), button->isEnabled() && item->isEnabled());
                        return found;
                    }
                }
            }
        }
        return {};
    }

    // A tree's rows in display order: each row, then the rows under it.
    static void appendRows(const QAbstractItemModel& model, const QModelIndex& parent, QJsonArray& texts)
    {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            texts.append(index.data().toString());
            appendRows(model, index, texts);
        }
    }

    static QJsonArray cells(const QAbstractItemModel& model)
    {
        QJsonArray rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList columns;
            for (int column = 0; column < model.columnCount(); ++column)
                columns << model.index(row, column).data().toString().trimmed();
            rows.append(columns.join(u'|'));
        }
        return rows;
    }

    static QJsonObject rows(const QString& name)
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            for (auto* view : top->findChildren<QAbstractItemView*>(name)) {
                if (!view->isVisible() || !view->model())
                    continue;
                QJsonArray texts;
                appendRows(*view->model(), QModelIndex(), texts);
                return QJsonObject { { QStringLiteral("rows"), texts },
                    { QStringLiteral("cells"), cells(*view->model()) } };
            }
        }
        return {};
    }

    QSocketNotifier input_;
    std::string pending_;
    QStringList shown_;
};

void startProbe()
{
    // Once the program's own loop runs, so that the probe answers from it.
    QTimer::singleShot(0, qApp, [] { new Probe; });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
