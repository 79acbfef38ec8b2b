#include "views/BrowseControl.h"

#include "framework/Window.h"
#include "framework/WindowEvent.h"
#include "views/ListHeader.h"
#include "views/ListRowDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QWheelEvent>

#include <optional>

namespace nidora::views {
namespace {

std::optional<ListMove> moveForKey(int key)
{
    switch (key) {
    case Qt::Key_Down:
        return ListMove::RowDown;
    case Qt::Key_Up:
        return ListMove::RowUp;
    case Qt::Key_PageDown:
        return ListMove::PageDown;
    case Qt::Key_PageUp:
        return ListMove::PageUp;
    case Qt::Key_Home:
        return ListMove::First;
    case Qt::Key_End:
        return ListMove::Last;
    default:
        return std::nullopt;
    }
}

// The character a key types; a key event made without its text (as synthetic ones often are)
// still types the character of a printable key.
QChar typedCharacter(const QKeyEvent& event)
{
    if (const QString text = event.text(); text.size() == 1)
        return text[0].isPrint() ? text[0] : QChar();
    if (event.key() >= Qt::Key_Space && event.key() <= Qt::Key_AsciiTilde)
        return QChar(event.key());
    return {};
}

} // namespace

// The table only reports: it never moves itself, since its rows are the view's visible page.
class BrowseControl::Table final : public QTableView {
public:
    explicit Table(BrowseControl& owner)
        : owner_(owner)
    {
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        // The bar shows where the page lies in the whole list, not in the page's own rows: the
        // list sets its range and takes what the user does on it.
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        verticalScrollBar()->installEventFilter(this);
        connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { scrolled(action); });
        connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this, [this] { showScrollBar(); });
        setTabKeyNavigation(false);
        setContextMenuPolicy(Qt::DefaultContextMenu);
        verticalHeader()->hide();
        setHorizontalHeader(new ListHeader(this));
        setItemDelegate(new ListRowDelegate(this));
        horizontalHeader()->setStretchLastSection(true);
        horizontalHeader()->setHighlightSections(false);
    }

    void send(ListInput input) { owner_.post(listEvent::Input, QVariant::fromValue(input)); }

    void showScrollBar()
    {
        const ListScrollBar& state = owner_.view_.scrollBar();
        QScrollBar* bar = verticalScrollBar();
        if (!state.shown) {
            bar->setRange(0, 0);
        } else {
            bar->setRange(0, state.maximum);
            bar->setPageStep(state.pageStep);
            bar->setSingleStep(1);
            // While the thumb is dragged it stays under the pointer.
            if (!bar->isSliderDown())
                bar->setValue(state.value);
        }
    }

protected:
    void updateGeometries() override
    {
        QTableView::updateGeometries();
        showScrollBar();
    }
    // The visible rows are the whole model: they never move inside the viewport.
    void scrollContentsBy(int dx, int) override { QTableView::scrollContentsBy(dx, 0); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The wheel over the bar moves the list as it does over the rows.
        if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
        return QTableView::eventFilter(watched, event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool plain = (event->modifiers() & ~Qt::KeypadModifier & ~Qt::ShiftModifier) == Qt::NoModifier;
        if (const std::optional<ListMove> move = moveForKey(event->key()); move && plain) {
            send(ListInput { ListInput::What::Move, *move });
        } else if (event->key() == Qt::Key_Backspace && plain) {
            send(ListInput { ListInput::What::Backspace });
        } else if (const QChar typed = typedCharacter(*event); plain && !typed.isNull()) {
            send(ListInput { ListInput::What::Character, {}, 0, typed });
        } else {
            // Enter, Tab and the rest go on to the window (the navigator, alert keys).
            event->ignore();
            return;
        }
        event->accept();
    }
    void wheelEvent(QWheelEvent* event) override
    {
        const int steps = event->angleDelta().y() / 120;
        for (int k = 0; k < std::abs(steps); ++k)
            send(ListInput { ListInput::What::Move, steps > 0 ? ListMove::RowUp : ListMove::RowDown });
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        setFocus(Qt::MouseFocusReason);
        if (const QModelIndex index = indexAt(event->position().toPoint()); index.isValid())
            send(ListInput { ListInput::What::Click, {}, index.row() });
        event->accept();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (indexAt(event->position().toPoint()).isValid())
            owner_.post(listEvent::DoubleClick);
        event->accept();
    }
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        owner_.post(listEvent::ContextMenu, event->pos());
        event->accept();
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QTableView::resizeEvent(event);
        const int rowHeight = std::max(verticalHeader()->defaultSectionSize(), 1);
        owner_.view_.setPageRows(std::max(viewport()->height() / rowHeight, 1));
        owner_.showHighlight();
    }

private:
    void scrolled(int action)
    {
        const int page = owner_.view_.visibleCount();
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            send(ListInput { ListInput::What::ScrollRows, {}, 1 });
            break;
        case QAbstractSlider::SliderSingleStepSub:
            send(ListInput { ListInput::What::ScrollRows, {}, -1 });
            break;
        case QAbstractSlider::SliderPageStepAdd:
            send(ListInput { ListInput::What::ScrollRows, {}, page });
            break;
        case QAbstractSlider::SliderPageStepSub:
            send(ListInput { ListInput::What::ScrollRows, {}, -page });
            break;
        case QAbstractSlider::SliderToMinimum:
        case QAbstractSlider::SliderToMaximum:
        case QAbstractSlider::SliderMove:
            send(ListInput { ListInput::What::ScrollTo, {}, verticalScrollBar()->sliderPosition() });
            break;
        default:
            break;
        }
    }
    BrowseControl& owner_;
};

BrowseControl::BrowseControl(
    data::AccessObject& access, std::vector<SortOrder> orders, std::vector<ListColumn> columns)
    : Control(framework::ControlKind::List, new Table(*this))
    , view_(access, std::move(orders))
    , table_(static_cast<Table*>(widget()))
{
    for (const ListColumn& column : columns) {
        widths_.push_back(column.width);
        widest_.push_back(column.widest);
    }
    model_ = std::make_unique<ListModel>(view_, std::move(columns));
    table_->setModel(model_.get());
    // The model resets on every change of the page; the highlight is shown again after it.
    QObject::connect(model_.get(), &QAbstractItemModel::modelReset, table_, [this] { showHighlight(); });
}

BrowseControl::~BrowseControl()
{
    if (widget())
        table_->setModel(nullptr);
}

void BrowseControl::attached()
{
    setRowHeight(0);
    // A column is as wide as its format says, and never narrower than its own heading nor than
    // the widest value its picture shows, with the margins a cell keeps around its text.
    QHeaderView* header = table_->horizontalHeader();
    const int margins
        = 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table_) + 1) + 2;
    for (std::size_t column = 0; column < widths_.size(); ++column) {
        if (widths_[column] <= 0)
            continue;
        const int value = widest_[column].isEmpty()
            ? 0
            : table_->fontMetrics().horizontalAdvance(widest_[column]) + margins;
        header->resizeSection(int(column),
            std::max({ window().units().toPixelsX(widths_[column]), header->sectionSizeHint(int(column)),
                value }));
    }
}

void BrowseControl::setRowHeight(int dialogUnits)
{
    QHeaderView* rows = table_->verticalHeader();
    if (dialogUnits > 0) {
        rows->setMinimumSectionSize(1);
        rows->setDefaultSectionSize(window().units().toPixelsY(dialogUnits));
    } else {
        rows->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    }
    rows->setSectionResizeMode(QHeaderView::Fixed);
    view_.setPageRows(std::max(table_->viewport()->height() / std::max(rows->defaultSectionSize(), 1), 1));
}

bool BrowseControl::take(const ListInput& input)
{
    const PagingCursor::Row* before = view_.highlighted();
    const std::int64_t was = before ? before->ref.id : 0;
    switch (input.what) {
    case ListInput::What::Move:
        view_.move(input.move);
        break;
    case ListInput::What::Click:
        view_.highlightVisible(input.row);
        break;
    case ListInput::What::Character:
        view_.type(input.character);
        break;
    case ListInput::What::Backspace:
        view_.backspace();
        break;
    case ListInput::What::ScrollTo:
        view_.scrollTo(input.row);
        break;
    case ListInput::What::ScrollRows:
        view_.scrollRows(input.row);
        break;
    }
    const PagingCursor::Row* after = view_.highlighted();
    return (after ? after->ref.id : 0) != was;
}

void BrowseControl::showHighlight()
{
    table_->showScrollBar();
    const int row = view_.highlightedIndex();
    if (row < 0) {
        table_->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    table_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace nidora::views
