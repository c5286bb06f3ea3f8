/* Numbers of Corvane's Windows resources, shared by the resource script and the program. */
#pragma once

#define CORVANE_ICON 1
/* The About picture as PNG (RT_RCDATA), at scale 1 and 2: as bitmaps they
   would take more than a megabyte. */
#define CORVANE_ABOUT_PICTURE 2001
#define CORVANE_ABOUT_PICTURE_2X 2002
