#ifndef WALLPAGE_H
#define WALLPAGE_H

#include "mtypepage.h"

// The STRUCTURAL-WALL page, with the segment lists (XI, ASI, ACI) of the
// numerical section input, edited one segment at a time.
class WallPage : public MTypePage
{
public:
    WallPage(MTypeState &state, HysteresisPanel &laws);

    void showAll() override;
    void readAll() override;

    // What the page's combos and buttons change.
    void nsectChosen(int index);
    void nipChosen(int index);
    void icondChosen(int index);
    void ruleChosen(int index);
    void showSegment(int index);
    void saveSegment();
    void cancelSegment();

private:
    void setNipItems(bool numerical);
    void resizeWallLists(int n);
    void rebuildSegments(int n, int select);
};

#endif // WALLPAGE_H
