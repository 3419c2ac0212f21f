#ifndef MTYPEPAGE_H
#define MTYPEPAGE_H

#include <QList>

class HysteresisPanel;
class QBoxLayout;
class QLineEdit;
struct MTypeState;

namespace Ui {
class editMTypeDialog;
}

// One category's page of the member type form: shows the record in the form
// and reads it back. The pages share the form, and the degradation, damping
// and rule groups, which each page moves into its own slots.
class MTypePage
{
public:
    MTypePage(MTypeState &state, HysteresisPanel &laws);
    virtual ~MTypePage();

    // Fills the page from the record shown.
    virtual void showAll() = 0;
    // Reads the page into the record, as Set Properties stores it.
    virtual void readAll() = 0;

protected:
    void showDamping(QBoxLayout *slot);
    void readDamping();
    void showDegradation(QBoxLayout *slot, int ilos, bool fill);
    static QList<QLineEdit *> degEdits(Ui::editMTypeDialog *ui);

    MTypeState &state;
    Ui::editMTypeDialog *const ui;
    HysteresisPanel &laws;
};

#endif // MTYPEPAGE_H
