#pragma once
// The media's side of the animation transition: the play-PICS action it
// plays through, set up for the file in the panel, fed with the events
// the transition receives and asked whether its animation has finished.

// Connects it to graphics; Disconnect takes it back.
void ConnectTransitionMedia();
void DisconnectTransitionMedia();
