#pragma once

class QGridLayout;
class QPushButton;
class QWidget;

// Pieces shared by the panels of the command tool, so that every tab has the
// same spacing and the same look of its buttons.
namespace CmdToolParts {

// Look of a checked switch ("Mute", "Invert", "All Mute").
extern const char *const ToggleStyle;

// Gives a control (box, spin box, switch) the common width of the panels, so
// that a narrow one such as the preset number is as easy to hit as the others.
void setControlWidth(QWidget *control);

// A checkable switch button with the shared look.
QPushButton *toggleButton(const char *objectName, QWidget *parent);

// A "Generate Command" button; the caller sets its (translated) text.
QPushButton *generateButton(const char *objectName, QWidget *parent);

// The grid of a panel: caption, control, generate button; rows at the top,
// free space below and to the right.
QGridLayout *panelGrid(QWidget *panel);

// Closes a panel grid: pushes its rows to the top and its columns to the left.
void finishPanelGrid(QGridLayout *grid);

} // namespace CmdToolParts
