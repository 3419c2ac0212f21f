#ifndef FRAMEPAGE_H
#define FRAMEPAGE_H

#include "mtypepage.h"

class QComboBox;
class QGroupBox;

// The FRAME page: section, yield surface of the chosen ITYPE, hinges, shear.
class FramePage : public MTypePage
{
public:
    FramePage(MTypeState &state, HysteresisPanel &laws);

    void showAll() override;
    void readAll() override;
    void retranslate();

    // What the page's combos change.
    void itypeChosen();
    void ruleChosen();
    void icondChosen(int index);
    void ilosChosen(int index);
    void igaChosen();
    // The END 2 fields of a yield group show when its IEND asks for them.
    void showEnd2(QComboBox *iend);

private:
    int frameRule() const;
    QGroupBox *frameYieldGroup(int itype) const;
    void showFrameYield();
    void fillFrameYield();
    void rebuildIga();
    void showFrameShear(bool fill);
};

#endif // FRAMEPAGE_H
