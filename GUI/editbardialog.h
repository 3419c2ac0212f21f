#ifndef EDITBARDIALOG_H
#define EDITBARDIALOG_H

#include <QDialog>
#include <QList>

namespace Ui {
class editBarDialog;
}

class Member;

// Edits one member: MTYPE, NODE3, NODE4 and IOUT, and offers its deletion.
// The member loads it with the setters before running it; the results go
// back through setProperties(...) and deleteBar().
class editBarDialog : public QDialog
{
    Q_OBJECT

public:
    explicit editBarDialog(QWidget *parent = nullptr);
    ~editBarDialog() override;

    // One MTYPE entry per member type: "ID  label".
    void setMTypeList(const QList<Member *> &list);
    void setBarId(int id);
    // m is the member type number; 0 (or a number beyond the list) selects nothing.
    void setBarMType(int m);
    // NODE3 and NODE4 offer "0" to n.
    void setNodesCount(int n);
    void setNode1(int node);
    void setNode2(int node);
    void setNode3(int node);
    void setNode4(int node);
    void setIOut(int value);

    int getBarId() const { return id; }
    int getBarMType() const { return mType; }
    int getNode3() const { return node3; }
    int getNode4() const { return node4; }
    int getIOut() const { return iout; }

signals:
    void setProperties(int mTypeId, int node3, int node4, int iout);
    void deleteBar();

private slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();
    void on_pushButton_clicked();

private:
    Ui::editBarDialog *ui;
    int id = 0;
    int node3 = 0;
    int node4 = 0;
    int iout = 0;
    int mType = 0;
};

#endif // EDITBARDIALOG_H
