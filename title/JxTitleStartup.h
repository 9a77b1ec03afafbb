#pragma once
// Connects what the application's start-up needs from the layers above the
// product runtime: the class registrations, the title's product data and
// the wave-device probe.

class JxCTovelApp;

void ConnectTitleServices(JxCTovelApp& app);
