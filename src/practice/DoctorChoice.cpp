#include "practice/DoctorChoice.h"

#include "core/PictureFormat.h"
#include "framework/LeavingAfterChange.h"
#include "framework/WindowEvent.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>

namespace nidora::practice {
namespace {

const Picture kNumber = *parsePicture(u"@n2");
const Picture kNumberColumn = *parsePicture(u"@n3");

} // namespace

DoctorChoice::DoctorChoice(std::uint8_t& number)
    : Control(framework::ControlKind::DropCombo, new QComboBox)
    , combo_(static_cast<QComboBox*>(widget()))
    , rows_(new QStandardItemModel(0, 2, combo_))
    , number_(number)
{
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setModel(rows_);
    auto* view = new QTableView;
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setShowGrid(false);
    view->horizontalHeader()->setStretchLastSection(true);
    combo_->setView(view);
    QLineEdit* line = combo_->lineEdit();
    line->setMaxLength(kNumber.width);
    const auto finished = [this, line] {
        line->setModified(false);
        post(framework::event::Accepted);
    };
    QObject::connect(combo_, &QComboBox::activated, combo_, [this, finished](int row) {
        combo_->setEditText(rows_->item(row, 0)->text().trimmed());
        finished();
    });
    QObject::connect(line, &QLineEdit::returnPressed, combo_, finished);
    new framework::LeavingAfterChange(line, finished, combo_);
    display();
}

void DoctorChoice::setDoctors(const std::vector<Doctor>& doctors)
{
    rows_->setRowCount(0);
    for (const Doctor& doctor : doctors) {
        auto* code = new QStandardItem(formatLong(kNumberColumn, doctor.number));
        code->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rows_->appendRow({ code, new QStandardItem(doctor.name.trimmed()) });
    }
    static_cast<QTableView*>(combo_->view())->resizeColumnToContents(0);
    combo_->view()->setMinimumWidth(combo_->width() * 3);
    display();
}

void DoctorChoice::display()
{
    combo_->setCurrentIndex(-1);
    combo_->setEditText(formatLong(kNumber, number_).trimmed());
}

void DoctorChoice::displayAsTyped()
{
    display();
    combo_->lineEdit()->setModified(true);
}

InputError DoctorChoice::commit()
{
    const Parsed<std::int64_t> read = parseLong(kNumber, combo_->lineEdit()->text());
    if (!read.ok())
        return read.error;
    if (read.value < 0 || read.value > 255)
        return InputError::TooManyDigits;
    number_ = std::uint8_t(read.value);
    return InputError::None;
}

QString DoctorChoice::text() const
{
    return combo_->lineEdit()->text();
}

} // namespace nidora::practice
