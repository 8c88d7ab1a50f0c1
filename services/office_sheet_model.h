#pragma once

// One worksheet page of the Office preview as a read-only table for a Qt Quick TableView, which lays
// out only the cells in view: a rich-text table of the whole page takes the GUI thread for a second.
// The cells are the bounded ones of the page (app/ui_text.h texts, translated when read).

#include "services/office_html_builders.h"

#include <QAbstractTableModel>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace olm::repair {

class OfficeSheetModel : public QAbstractTableModel {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)

public:
    OfficeSheetModel(SheetGrid grid, UiText title, QObject* parent = nullptr);

    QString title() const { return title_.toString(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // The cell's text for Qt::DisplayRole; nothing else.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Column letters ("A", "AD") across, row numbers from 1 down.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The UI language changed: every translatable text is read again.
    void retranslate();

signals:
    void titleChanged();

private:
    SheetGrid grid_;
    UiText title_;
};

} // namespace olm::repair
