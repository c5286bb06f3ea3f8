#pragma once

class QPushButton;

// Makes Enter and Return press the button while it has the focus, as Space
// does, without making it a default button. Both windows use it.
void pressOnEnter(QPushButton *button);
