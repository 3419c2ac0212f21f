#include "mtypestate.h"

#include "member.h"

#include <QBoxLayout>
#include <QLabel>

bool MTypeState::editing(int category) const
{
    return member && member->getType() == category;
}

void MTypeState::setFieldShown(QWidget *field, bool shown)
{
    field->setVisible(shown);
    if (QLabel *l = labelOf.value(field))
        l->setVisible(shown);
}

void MTypeState::placeIn(QWidget *group, QBoxLayout *slot)
{
    QBoxLayout *&host = hostOf[group];
    if (host == slot)
        return;
    if (host)
        host->removeWidget(group);
    slot->addWidget(group);
    host = slot;
}
