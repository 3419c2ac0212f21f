#include "userguidedialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

UserGuideDialog::UserGuideDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("User Guide"));
    auto *browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("userGuideBrowser"));
    browser->setOpenExternalLinks(false);
    // The pictures' names are relative to the README, stored beside it.
    browser->setSearchPaths({QStringLiteral(":/guide")});
    browser->setMarkdown(guideText());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    resize(900, 700);
}

QString UserGuideDialog::guideText()
{
    QFile file(QStringLiteral(":/guide/README.md"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString all = QString::fromUtf8(file.readAll());
    const qsizetype from = all.indexOf(QLatin1String("## Using the program"));
    const qsizetype to = all.indexOf(QLatin1String("\n## Installing"), from);
    return from < 0 ? all : all.mid(from, to < 0 ? -1 : to - from);
}
