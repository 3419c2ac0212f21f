#ifndef DAMPERPAGE_H
#define DAMPERPAGE_H

#include "mtypepage.h"

// The DAMPER page; dampers have no material specific damping.
class DamperPage : public MTypePage
{
public:
    DamperPage(MTypeState &state, HysteresisPanel &laws);

    void showAll() override;
    void readAll() override;
    // The fields ITYPE uses.
    void showFields(int itype);
};

#endif // DAMPERPAGE_H
