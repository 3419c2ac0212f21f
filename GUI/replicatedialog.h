#ifndef REPLICATEDIALOG_H
#define REPLICATEDIALOG_H

#include <QDialog>

class QSpinBox;

// Edit → Replicate…: how far each copy of the selection goes, by grid lines, and how many copies.
class ReplicateDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ReplicateDialog(QWidget *parent = nullptr);

    int bays() const;
    int storeys() const;
    int times() const;

private:
    QSpinBox *baysBox;
    QSpinBox *storeysBox;
    QSpinBox *timesBox;
};

#endif // REPLICATEDIALOG_H
