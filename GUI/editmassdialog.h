#ifndef EDITMASSDIALOG_H
#define EDITMASSDIALOG_H

#include "nodetabledialog.h"

namespace Ui {
class editMassDialog;
}

// Nodal weights WX, WY, WM: one row per node.
class editMassDialog : public NodeTableDialog
{
    Q_OBJECT

public:
    explicit editMassDialog(QWidget *parent = nullptr);
    ~editMassDialog() override;

    QList<double> getWx() const { return wx; }
    QList<double> getWy() const { return wy; }
    QList<double> getWd() const { return wd; }
    // Append to the stored list (a project is read into empty lists);
    // setLists() replaces all three.
    void setWx(const QList<double> &values) { wx.append(values); }
    void setWy(const QList<double> &values) { wy.append(values); }
    void setWd(const QList<double> &values) { wd.append(values); }

public slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();
    void on_massTableWidget_itemSelectionChanged();
    void pressed(const QModelIndex &pressedIndex);

protected:
    void changeEvent(QEvent *event) override;
    QList<double> &values(int column) override;

private:
    Ui::editMassDialog *ui;
    QList<double> wx, wy, wd;
};

#endif // EDITMASSDIALOG_H
