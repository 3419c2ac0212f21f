#include <QtTest>

#include "editmtypedialog.h"

class tst_editMTypeDialog : public QObject
{
    Q_OBJECT
private slots:
    void builds();
};

void tst_editMTypeDialog::builds()
{
    editMTypeDialog dlg;
    QVERIFY(dlg.getMembersTypes().isEmpty());
}

QTEST_MAIN(tst_editMTypeDialog)
#include "tst_editmtypedialog.moc"
