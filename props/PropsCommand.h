// The headless property commands of tubalon-calc:
//
//     tubalon-calc --props NO [--value t=VALUE] [--value p=VALUE]...
//     tubalon-calc --list
//
// --props computes the library record whose NO is NO as "&C 计算" does, at t (°C) and
// p (kPa), 20 and 100 unless given (other --value names add rows for formula variables),
// and prints six lines "Cp=value", "MD=", "VI=", "TC=", "ST=", "HV=" with the SI value in the
// 15-digit form, empty where the cell is empty or failed. Outside the record's range the
// values are printed and the warning "超出物性数据范围：..." goes to standard error; a (t, p)
// in the wrong phase (liquid water above its saturation temperature) prints empty values
// and the reason. --list prints one line per record: NO, CN and EN separated by tabs.
// Messages go to standard error.
#pragma once

#include <QStringList>
#include <QTextStream>

namespace tubalon {

// args: the arguments after the program name, starting with "--props" or "--list".
// libPath: the "PropLib.cds" to read. Returns 0 when every property was computed or empty
// within the record's range, 1 when one failed, (t, p) lie outside the range or in the
// wrong phase, 2 for a bad command line, an unreadable library or an unknown NO.
int RunPropsCommand(const QStringList& args, const QString& libPath, QTextStream& out,
                    QTextStream& err);

} // namespace tubalon
