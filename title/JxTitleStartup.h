#pragma once
// Connects what the application's start-up needs from the layers above the
// product runtime: the class registrations, the title's product data and
// the wave-device probe.

class JxCTovelApp;

void ConnectTitleServices(JxCTovelApp& app);

// Saves the logged-in user's record without asking anything: the session
// rescue that ConnectTitleServices installs, run when the program is ended
// from outside (its display went away). False when nobody is logged in or
// the save failed.
bool RescueTitleSession();
