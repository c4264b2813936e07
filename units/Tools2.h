// Helpers on groups of fields: the input and computed looks, writing results and
// completeness tests.
#pragma once

#include <QList>

class QWidget;

namespace tubalon {

class TEditD;

// Relative change below which a result is not rewritten.
constexpr double kResultTolerance = 0.0001;

// Enables or disables each control; enabling an edit field also gives it the colour and
// makes it editable.
void EnableGroup(const QList<QWidget*>& controls, bool enable, int color);
// Computed: the colour, read-only, blue font. Otherwise window colour, editable, black font.
void MarkComputed(const QList<QWidget*>& fields, bool computed, int color);

// Writes v into the field unless it differs from the current value by less than the
// tolerance (relative, absolute when the current value is 0). Returns the field when written.
TEditD* SetComputed(TEditD* field, int color, double tolerance, double v);
// Back to an empty input. Returns the field when anything changed.
TEditD* ClearComputed(TEditD* field);
// True when the text of every field is not empty (blanks count as text).
bool AllFilled(std::initializer_list<const TEditD*> fields);

// The value of an item "text   |number": the number after the first "|", trimmed.
double ItemValue(const QString& item);

} // namespace tubalon
