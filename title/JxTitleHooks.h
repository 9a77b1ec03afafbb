#pragma once
// The title's answers to what the engine's pages, panels and actions ask of
// it (events/JxCTitleHooks.h): the open quiz page and its research button,
// the test page, the logbook flag and one step back through the visited
// pages.

void ConnectTitleHooks();
