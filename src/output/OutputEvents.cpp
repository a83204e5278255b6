#include "mainwindow/Form1.h"

void Form1::connectOutputEvents()
{
}
