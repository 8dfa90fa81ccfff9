#pragma once

// Thrown where the program would have ended at once, so a test sees where that happened.
struct ProgramEnded {};
