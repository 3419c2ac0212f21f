#ifndef EDITDRIFTDIALOG_H
#define EDITDRIFTDIALOG_H

#include <QDialog>
#include <QList>
#include <QString>

namespace Ui {
class editDriftDialog;
}

// Chooses the drift column ("None" or an X grid line id) and whether the
// nodes' KUP1 follow that choice automatically.
class editDriftDialog : public QDialog
{
    Q_OBJECT

public:
    explicit editDriftDialog(QWidget *parent = nullptr);
    ~editDriftDialog() override;

    // Offers "None" and the given X ids, then selects the stored choice again.
    void setColumns(const QList<QString> &XIds);
    void setDrift(const QString &text);
    QString getDrift() const { return drift; }

    // The option used while a column is chosen.
    void setKup1Automatically(bool on);
    bool getKup1Automatically() const;
    // The option used while "None" is chosen.
    void setKup1AutomaticallyTo0(bool on);
    bool getKup1AutomaticallyTo0() const;

    bool isSeted() const { return seted; }
    void setSeted(bool on) { seted = on; }

signals:
    void updateDrift(bool setKup1);

public slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();
    void on_columnsComboBox_currentIndexChanged(int index);

protected:
    void changeEvent(QEvent *event) override;

private:
    Ui::editDriftDialog *ui;
    QString drift;
    bool seted = false;
};

#endif // EDITDRIFTDIALOG_H
