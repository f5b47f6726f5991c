// GTK animates what changes on screen: a scroll bar fades in when a grid gets
// one, and the overlay scroll indicator fades out after every scroll. Each
// frame of such a fade repaints the whole grid around it (GTK hands the window
// one clip box for the fading strip and the changed cells together): a loaded
// image cost nine full repaints, a third of a second, and a 2 KB read drew its
// whole grid some twenty-five times instead of the five its scrolling needs.
// The program's window does not animate.
#pragma once

// Turns GTK's animations off for this program (its own setting, not the desktop's).
void switchOffAnimations();
