#pragma once

// Identifiers of the program's own resources, shared by its resource script and its code.
#define VELNIX_ICON_PROGRAM 1
#define VELNIX_ICON_LOGO 2
#define VELNIX_ICON_CONNECTED 3
#define VELNIX_ICON_DISCONNECTED 4
#define VELNIX_BITMAP_SAVE 5
#define VELNIX_BITMAP_CLOSE 6
#define VELNIX_BITMAP_DONATION 7
