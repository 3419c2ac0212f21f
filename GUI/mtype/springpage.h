#ifndef SPRINGPAGE_H
#define SPRINGPAGE_H

#include "mtypepage.h"

// The SPRING page: stiffnesses and the yield surface of the chosen ITYPE.
class SpringPage : public MTypePage
{
public:
    SpringPage(MTypeState &state, HysteresisPanel &laws);

    void showAll() override;
    void readAll() override;

    // What the page's combos change.
    void itypeChosen();
    void ruleChosen();
    void ilosChosen(int index);

private:
    int springRule() const;
    void showSpringYield();
    void fillSpringYield();
};

#endif // SPRINGPAGE_H
