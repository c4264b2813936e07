// tubalon-calc: the main window without showing it, driven from the command line.
#pragma once

#include <QStringList>

class QTextStream;
class QWidget;

namespace tubalon {

class TFormTubalon;

// Acts on a control as a user would: a field or edit gets the text typed and is left; a
// list, unit selector or radio group gets item VALUE picked; a check box is set (1/0) and
// left. Returns an error text for an unknown, disabled or read-only control or a bad
// value, else empty.
QString SetControl(TFormTubalon& w, const QString& name, const QString& value);
// SetControl for each "NAME=VALUE" in order; stops at the first error and returns it.
QString SetControls(TFormTubalon& w, const QStringList& assignments);

// One line per control: NAME, value, and for numeric fields unit and state.
void WriteTable(TFormTubalon& w, QTextStream& out);
// Beside the controls, "flow" holds the film information of both sides as the report shows it:
// {"annulus": {re, pr, regime, correlation, warnings} or null, "inner": …, "warnings": […]}.
void WriteJson(TFormTubalon& w, QTextStream& out);

// Display state of a numeric field: input, computed, solved or disabled.
QString StateOf(const QWidget* field);

// "tubalon --screenshot FILE.png [CASE.cdp]": the main window, with the case opened and
// calculated when one is named, drawn at the size it takes on the primary screen and saved
// as PNG. Arguments after "--screenshot"; messages go to err. Returns the exit status: 0, 1
// when the case gave messages, 2 when the picture or the case could not be handled.
int RunScreenshot(const QStringList& args, QTextStream& err);

// The whole tool; arguments without the program name. Returns the exit status.
int RunCalcTool(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace tubalon
