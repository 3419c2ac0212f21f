#ifndef EDITQUAKEDIALOG_H
#define EDITQUAKEDIALOG_H

#include <QDialog>
#include <QString>

namespace Ui {
class editQuakeDialog;
}

// Options of the earthquake excitation record.
class editQuakeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit editQuakeDialog(QWidget *parent = nullptr);
    ~editQuakeDialog() override;

    // The arrays themselves, read and written in place:
    // a = IBERG, ISTART; b = DELTAT, ASCALE, END, VEL, DIS, TSCALE.
    int *geta() { return a; }
    double *getb() { return b; }

    QString getFile() const { return file; }
    void setFile(const QString &name) { file = name; }

    bool isSeted() const { return seted; }
    void setSeted(bool on) { seted = on; }

    // Fills the widgets from the stored values.
    void showProperties();
    void setNullProperties();

signals:
    // OK stored the values.
    void updateQuake();

public slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showA();
    void showB();

    Ui::editQuakeDialog *ui;
    int a[2];
    double b[6];
    QString file;
    bool seted = false;
};

#endif // EDITQUAKEDIALOG_H
