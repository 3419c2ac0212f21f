#ifndef FINDDIALOG_H
#define FINDDIALOG_H

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// Edit → Find: a node or member by its number. OK is refused while the number
// names no item of the model.
class findDialog : public QDialog
{
    Q_OBJECT

public:
    explicit findDialog(QWidget *parent = nullptr);

    // How many nodes and members there are to find among.
    void setCounts(int nodes, int members);
    bool isMember() const;
    int getNumber() const;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void on_okBtn_clicked();

private:
    QComboBox *kindCBox;
    QLineEdit *numberLineEdit;
    QPushButton *okBtn;
    QPushButton *cancelBtn;
    int nodeCount = 0;
    int memberCount = 0;
};

#endif // FINDDIALOG_H
