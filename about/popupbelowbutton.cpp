#include "about/popupbelowbutton.h"

#include "about/popupguard.h"

#include <QMenu>

PopupGuard &popupBelowButtonGuard()
{
    static PopupGuard guard;
    return guard;
}

void PopupBelowButton(QWidget *Button, QMenu *Menu)
{
    if (!popupBelowButtonGuard().mayOpen(Button, Menu))
        return;
    const QPoint bottomLeft = Button->mapToGlobal(QPoint(0, Button->height()));
    Menu->exec(bottomLeft);
    popupBelowButtonGuard().popupReturned(Button, Menu);
}
