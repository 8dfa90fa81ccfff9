#pragma once
// What the program knows about itself: the folder of its program file, and whether another copy
// was already running when it started.

#include <QString>
#include <functional>

namespace platform {

// The folder that holds the program file, without a trailing separator.
QString AppPath();
bool PrevInstance();

// Tests replace these; an empty function restores the real answer.
void SetAppPathSource(std::function<QString()> source);
void SetPrevInstanceSource(std::function<bool()> source);

} // namespace platform
