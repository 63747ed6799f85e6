#include "ResultsList.h"

#include <QAction>
#include <QHeaderView>
#include <QSignalBlocker>

namespace {

constexpr int NumberRole = Qt::UserRole;

} // namespace

TResultsList::TResultsList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("results");
    setHeaderLabels({tr("Symbology"), tr("Text"), tr("Page"), tr("Pass")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(colText, QHeaderView::Stretch);
    header()->setStretchLastSection(false);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(tr("Copy text"), this);
    connect(copy, &QAction::triggered, this, &TResultsList::CopyRequested);
    addAction(copy);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr)
            emit BarcodeChosen(item->data(colSymbology, NumberRole).toInt());
    });
}

void TResultsList::Add(int number, const VelQt::TQtBarcode& barcode) {
    auto* item = new QTreeWidgetItem(
        {barcode.Symbology, barcode.Text, QString::number(barcode.Page), barcode.Pass});
    item->setData(colSymbology, NumberRole, number);
    item->setTextAlignment(colPage, Qt::AlignRight | Qt::AlignVCenter);
    item->setToolTip(colText, barcode.Text);
    addTopLevelItem(item);
}

int TResultsList::SelectedNumber() const {
    const QTreeWidgetItem* item = currentItem();
    return item != nullptr ? item->data(colSymbology, NumberRole).toInt() : -1;
}

void TResultsList::SelectNumber(int number) {
    const QSignalBlocker blocker(this);
    for (int row = 0; row < topLevelItemCount(); ++row)
        if (topLevelItem(row)->data(colSymbology, NumberRole).toInt() == number) {
            setCurrentItem(topLevelItem(row));
            return;
        }
}
