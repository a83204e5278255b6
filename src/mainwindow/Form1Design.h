#pragma once

#include <QString>
#include <vector>

// A control's design position and size in twips, relative to its container.
struct DesignPosition
{
    QString name;           // object name; array elements are "cmdYear_5", "Option1_0", ...
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Every control of the main window, in design order (the first lies in front).
const std::vector<DesignPosition>& form1Design();

// The design client area of the main window, in twips.
constexpr int kForm1ClientWidth = 10170;
constexpr int kForm1ClientHeight = 8445;
