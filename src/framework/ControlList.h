#pragma once

#include "framework/Control.h"

#include <QStringList>
#include <QTreeWidget>

#include <vector>

namespace nidora::framework {

// Rows of columns with one highlighted row. Moving the highlight raises a new-selection event;
// choosing a row (double click, Enter) raises an accepted event.
class ListControl final : public Control {
public:
    explicit ListControl(const QStringList& headings);

    bool holdsData() const override { return true; }

    void setRows(const std::vector<QStringList>& rows);
    int rowCount() const;
    QStringList row(int index) const;
    // The highlighted row from 0, or -1 when none is.
    int currentRow() const;
    void setCurrentRow(int index);

private:
    QTreeWidget* tree_;
};

} // namespace nidora::framework
