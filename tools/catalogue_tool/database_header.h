#pragma once
// Page 0 of a Jet 4 file: engine name and version, then a block of settings (code page,
// encryption key, database password, sort order, creation date) that the engine masks with
// an RC4 key stream.

#include "catalogue_tool/page.h"

namespace jet_writer {

Page DatabaseHeaderPage();

} // namespace jet_writer
