// The peer of the program's start-up: a bare SDL2 program, started and
// ended. It starts SDL's events and timers (which need no display or sound
// device) and quits.

#include <SDL.h>

int main(int, char**)
{
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0)
        return 1;
    SDL_Quit();
    return 0;
}
