// The headless evaluation command of tubalon-calc:
//
//     tubalon-calc --eval TEXT [--value NAME=VALUE]...
//
// TEXT is evaluated as the property dialog does it, with a named-values table holding
// t = 20 and p = 100, each --value changing a row or adding one. Three lines are printed:
// the value in the 15-digit form, the error code and its message. Needs a QApplication
// (one is made for the call when there is no application object yet).
#pragma once

#include <QStringList>
#include <QTextStream>

namespace tubalon {

// args: the arguments after the program name, starting with "--eval".
// Returns 0 when the code is 0, 1 for a formula error, 2 for a bad command line.
int RunEvalCommand(const QStringList& args, QTextStream& out);

} // namespace tubalon
