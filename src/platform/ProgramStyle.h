#pragma once

// Makes the application's style the program's: the platform's own style, except that
// the overflow buttons of menu and tool bars read their arrow only when first drawn.
// The menu bar and the tool bar ask for that icon when they are built, and reading it
// loads every image format plugin, which a start-up whose bars never overflow can spare.
// Call before the first menu bar is built; calling again does nothing.
void useProgramStyle();
