#ifndef ABOUTDIALOG_H
#define ABOUTDIALOG_H

#include <QDialog>

namespace Ui {
class aboutDialog;
}

class aboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit aboutDialog(QWidget *parent = nullptr);
    ~aboutDialog() override;

protected:
    void changeEvent(QEvent *e) override;

private:
    Ui::aboutDialog *ui;
};

#endif // ABOUTDIALOG_H
