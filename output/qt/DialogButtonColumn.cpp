#include "output/qt/DialogButtonColumn.h"

#include <QDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace chimeset {

DialogButtonColumn MakeDialogButtonColumn(QDialog* dialog, const QString& helpText) {
    DialogButtonColumn column;
    column.ok = new QPushButton(QStringLiteral("OK"), dialog);
    column.ok->setObjectName(QStringLiteral("okButton"));
    column.ok->setDefault(true);
    QObject::connect(column.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    column.cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    column.cancel->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(column.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    column.help = new QPushButton(helpText, dialog);
    column.help->setObjectName(QStringLiteral("helpButton"));
    column.help->setAutoDefault(false);
    column.layout = new QVBoxLayout;
    column.layout->addWidget(column.ok);
    column.layout->addWidget(column.cancel);
    column.layout->addWidget(column.help);
    column.layout->addStretch(1);
    return column;
}

}  // namespace chimeset
