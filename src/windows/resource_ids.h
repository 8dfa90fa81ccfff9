#pragma once
// Numbers of the pictures built into Orvane.exe, shared by its resource script and its code.
// The icon's numbers are the program file's own (group 1, image 30001).

#define ORVANE_ICON_GROUP 1
#define ORVANE_BITMAP_SKIN 101
#define ORVANE_BITMAP_LIT_CLOSE 102
#define ORVANE_BITMAP_LIT_MINIMISE 103
#define ORVANE_BITMAP_LIT_HELP 104
#define ORVANE_BITMAP_LIT_LEFT 105
#define ORVANE_BITMAP_LIT_RIGHT 106
