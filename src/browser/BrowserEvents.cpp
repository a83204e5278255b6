#include "mainwindow/Form1.h"

#include "platform/OptionButton.h"

void Form1::connectBrowserEvents()
{
    for (int i = 0; i < 4; ++i)
        connect(optParent[i], &OptionButton::selected, this, [this, i] { optParent_Click(i); });
}
