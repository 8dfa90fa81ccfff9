#pragma once
// The about box shown when the close spot is pressed.

#include <QString>

namespace shape {

QString AboutBoxTitle();
// Seven lines: the first three each followed by two carriage returns, the last four by one.
QString AboutBoxText();

} // namespace shape
