#pragma once
// What the program knows about itself: its title, the folder of its program file, and whether
// another copy was already running when it started.

#include <QString>
#include <functional>

namespace platform {

QString AppTitle();
// The folder that holds the program file, without a trailing separator.
QString AppPath();
// The separator the platform joins folder and file names with.
QString PathSeparator();
bool PrevInstance();

// Tests replace these; an empty function restores the real answer.
void SetAppPathSource(std::function<QString()> source);
void SetPrevInstanceSource(std::function<bool()> source);

} // namespace platform
