#pragma once
// The menu tracker: the modal loop of an open menu. A menu opens as one
// popup window per level; while it is open the tracker has all the input
// (arrows, Enter, Escape, "&" letters, the mouse) through the application's
// input grab, opens and closes sub-menus as the selection moves, and hands
// back the chosen item once the menu is closed.

#include "framework/graphics/Types.h"

class TCanvas;
class TMenuItem;

// Opens `parent`'s sub-items as a menu at the screen point and tracks it;
// returns the chosen item (already clicked unless `click` is false), or
// null when the menu was closed without a choice.
TMenuItem* TrackMenu(TMenuItem* parent, int x, int y, bool click = true);
// Whether a menu is open now.
bool IsMenuOpen();
// While an open menu draws its items: when `canvas` is the canvas of one of
// its windows, that window's screen rectangle and a canvas on it in screen
// coordinates (the platform's screen device context, limited to the menu
// window), for drawing over the window's frame. False for other canvases.
bool GetMenuWindowOfCanvas(const TCanvas& canvas, TRect& screenRect, TCanvas*& screenCanvas);
// Closes an open menu without a choice (at the next event it sees).
void CloseOpenMenu();
