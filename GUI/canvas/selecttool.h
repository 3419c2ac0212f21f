#ifndef SELECTTOOL_H
#define SELECTTOOL_H

#include "canvastool.h"

// Selecting: a click on an item is the scene's (Ctrl adds or removes); a box
// dragged from empty space selects what lies wholly inside it, Ctrl adding.
class SelectTool : public CanvasTool
{
    Q_OBJECT
public:
    using CanvasTool::CanvasTool;

    bool press(QMouseEvent *event, bool onNode, bool onItem) override;
    bool move(QMouseEvent *event) override;
    bool release(QMouseEvent *event) override;
    bool escape() override;

private:
    bool selecting = false;
    bool adding = false;
};

#endif // SELECTTOOL_H
