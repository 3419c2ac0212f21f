#ifndef REINFORCEDPAGE_H
#define REINFORCEDPAGE_H

#include "mtypepage.h"

// The REINFORCED page: a steel rule and a concrete rule shown side by side.
class ReinforcedPage : public MTypePage
{
public:
    ReinforcedPage(MTypeState &state, HysteresisPanel &laws);

    void showAll() override;
    void readAll() override;

    // What the page's combos change.
    void steelChosen(int index);
    void concreteChosen(int index);

private:
    void showSteel(int isteel);
    void showConcrete(int iconc);
};

#endif // REINFORCEDPAGE_H
