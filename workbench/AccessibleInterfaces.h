#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// The workbench's own accessible interfaces, for QAccessible::installFactory:
// - the RAM view as a table of 16 rows and 16 columns beside the view's buttons, its cells
//   named by what the view shows in them and described by their address and the IP and SP
//   marks;
// - the status line (a label named "LabelCurrInstr") as a status bar named by its text;
//   every new text raises a name change, which is what a screen reader announces.
QAccessibleInterface* WorkbenchAccessible(const QString& className, QObject* object);
