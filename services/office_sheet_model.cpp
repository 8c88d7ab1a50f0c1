#include "services/office_sheet_model.h"

namespace olm::repair {

OfficeSheetModel::OfficeSheetModel(SheetGrid grid, UiText title, QObject* parent)
    : QAbstractTableModel(parent), grid_(std::move(grid)), title_(std::move(title))
{
}

int OfficeSheetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.rows; }

int OfficeSheetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.columns; }

QVariant OfficeSheetModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return grid_.cell(index.row(), index.column()).toString();
}

QVariant OfficeSheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section < grid_.columns ? QVariant(spreadsheetColumnName(section + 1)) : QVariant();
    return section < grid_.rows ? QVariant(QString::number(section + 1)) : QVariant();
}

void OfficeSheetModel::retranslate()
{
    emit titleChanged();
    emit dataChanged(index(0, 0), index(grid_.rows - 1, grid_.columns - 1), {Qt::DisplayRole});
}

} // namespace olm::repair
