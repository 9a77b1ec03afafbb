#pragma once
// The title's answers to what the engine's pages, panels and actions ask of
// it (events/JxCTitleHooks.h): the test page, the logbook flag and one step
// back through the visited pages, all from the title's product data.

void ConnectTitleHooks();
