/* The yardstick of the installer's start-up: a bare SDL program that opens a
 * borderless window of the wizard's size at the wizard's place, fills it
 * with the wizard's frame colour, presents it once and waits to be killed. */
#include <SDL2/SDL.h>

int main(void) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = SDL_CreateWindow("bare", 198, 125, 481, 209, SDL_WINDOW_BORDERLESS);
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    SDL_FillRect(surface, NULL, SDL_MapRGB(surface->format, 0x00, 0x2C, 0xC8));
    SDL_UpdateWindowSurface(window);
    for (;;) {
        SDL_Event event;
        if (SDL_WaitEvent(&event) && event.type == SDL_QUIT)
            break;
    }
    SDL_Quit();
    return 0;
}
