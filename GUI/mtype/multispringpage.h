#ifndef MULTISPRINGPAGE_H
#define MULTISPRINGPAGE_H

#include "mtypepage.h"

// The MULTISPRING page; its IHYST combo lists a few rules by place, not code.
class MultiSpringPage : public MTypePage
{
public:
    MultiSpringPage(MTypeState &state, HysteresisPanel &laws);

    void showAll() override;
    void readAll() override;

    // What the page's combos change.
    void ruleChosen(int index);
    void ilosChosen(int index);
    void klosChosen(int index);

private:
    void showRule(int index);
    void showKlos(int klos);
};

#endif // MULTISPRINGPAGE_H
