#pragma once

class QString;

// What assistive technology (a screen reader, a switch device) sees of the program's own
// controls. Qt describes its standard widgets itself; these interfaces describe ours:
//
//   ThreeDButton  push button: its caption without the mnemonic marker (the tool tip when it
//                 has no caption), the mnemonic as its shortcut, a press action that clicks
//   ThreeDPanel   a label reading its caption; a pane when it holds controls and has no
//                 caption; a progress bar with its fill percentage when marked as a gauge
//   SpinButton    a spin button with the two arrows as child push buttons named by
//                 arrowName(), whose press action spins as a click on the arrow does
//   ImageControl,
//   PictureBox    an image named by its accessible name, with the tool tip as description,
//                 a press action (as a double-click) and a menu action (as a right click)
//   OptionButton  a radio button, checked or not (Qt would take it for a check box, as it
//                 is not auto-exclusive)
//
// Installs the factory that makes them; once is enough, later calls do nothing.
void installAccessibleInterfaces();

// A caption as it is read out: the "&" that marks a mnemonic dropped, "&&" read as "&".
QString withoutMnemonic(const QString& caption);
