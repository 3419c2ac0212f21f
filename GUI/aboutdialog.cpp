#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include "imagefiles.h"

#include <QImageReader>
#include <QPixmap>

aboutDialog::aboutDialog(QWidget *parent) : QDialog(parent), ui(new Ui::aboutDialog)
{
    ui->setupUi(this);
    // The box names the Qt it was really built with.
    ui->label_2->setText(QStringLiteral("Developed with Qt ") + QLatin1String(QT_VERSION_STR));
    ui->label->setText(tr("GUI for Taliskor2D %1").arg(QStringLiteral(TALISKOR2D_VERSION)));
    setMinimumSize(size());
    setMaximumSize(size());
    // The format comes from the content: the files end in ".dll".
    QImageReader reader(ImageFiles::path(QStringLiteral("libs/qtlogo.dll")));
    reader.setDecideFormatFromContent(true);
    const QImage logo = reader.read();
    if (!logo.isNull())
        ui->qtLogo->setPixmap(QPixmap::fromImage(logo));
}

aboutDialog::~aboutDialog()
{
    delete ui;
}

void aboutDialog::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
