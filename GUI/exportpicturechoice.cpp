#include "exportpicturechoice.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QSpinBox>

ExportPictureChoice ExportPictureChoice::ask(QWidget *parent, const QString &start, int pngWidth)
{
    ExportPictureChoice choice;
    choice.pngWidth = pngWidth;
    QFileDialog dialog(parent, QFileDialog::tr("Export Picture"), start,
                       QFileDialog::tr("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    dialog.setObjectName(QStringLiteral("exportPictureFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // The suffix added to a bare name follows the chosen type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter.section(QLatin1String("*."), 1).section(QLatin1Char(')'), 0, 0));
    });
    auto *black = new QCheckBox(QFileDialog::tr("Black background, as on the screen"), &dialog);
    black->setObjectName(QStringLiteral("exportBlackCheckBox"));
    auto *width = new QSpinBox(&dialog);
    width->setObjectName(QStringLiteral("pngWidthSpinBox"));
    width->setRange(200, 12000);
    width->setSingleStep(100);
    width->setValue(pngWidth);
    width->setPrefix(QFileDialog::tr("PNG width: "));
    width->setSuffix(QFileDialog::tr(" pixels"));
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
        grid->addWidget(black, grid->rowCount(), 0, 1, grid->columnCount());
        grid->addWidget(width, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return choice;
    choice.fileName = dialog.selectedFiles().first();
    choice.blackBackground = black->isChecked();
    choice.pngWidth = width->value();
    return choice;
}
