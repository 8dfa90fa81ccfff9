#pragma once
// A page of the mapped catalogue that the system cannot read (an I/O error of the medium, a file
// cut short by someone else while it is read) ends the helper with a bus error (an in-page
// exception on Windows), which the program would take for a damaged file. Here such a fault sends
// a last frame saying the file could not be read, then ends the helper.

#include <string>

namespace reader {

// From now on a bus error writes frame, whole, to the descriptor channel and ends the process.
// Rows written before it went out whole, as the channel is written without a buffer of its own.
void ReportMappingFaults(int channel, std::string frame);

} // namespace reader
