#pragma once

class PopupGuard;
class QMenu;
class QWidget;

// Shows `Menu` below `Button`, its left edge at the button's, and returns when the menu has
// closed. A click on the button that closed the open menu does not open it again.
void PopupBelowButton(QWidget *Button, QMenu *Menu);

// The guard shared by every drop-down (tests set its clock).
PopupGuard &popupBelowButtonGuard();
