#pragma once
// The title's answers to what the engine's pages, panels and actions ask of
// it (events/JxCTitleHooks.h): the open quiz page and its research button,
// the test page, the logbook flag, the navigation bar of the first page and
// the reset of its marks (with its redraw), and one step back through the
// visited pages.

void ConnectTitleHooks();
