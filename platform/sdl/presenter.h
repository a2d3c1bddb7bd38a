// Puts a finished 16-bit frame on the window, by the cheapest path that shows
// it right: the window surface when the window is exactly the frame's size
// and the screen stores the frame's own layout (a plain copy, no scaling),
// else an SDL renderer that converts and scales the frame with its aspect
// kept, paced by the display's vertical sync unless SDL_RENDER_VSYNC=0.
#pragma once

#include <SDL.h>

namespace platform {

class Presenter {
public:
    enum class Path { None, WindowSurface, Renderer };

    explicit Presenter(SDL_Window* window) : window_(window) {}
    ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    bool Present(const void* pixels, int pitch, int width, int height, bool rgb565);
    Path path() const { return path_; }

private:
    bool WindowSurfaceFits(int width, int height, Uint32 format) const;
    bool PresentToWindowSurface(const void* pixels, int pitch, int width, int height, Uint32 format);
    bool PresentWithRenderer(const void* pixels, int pitch, int width, int height, Uint32 format);
    bool EnsureRenderer(int width, int height, Uint32 format);
    void DropRenderer();

    SDL_Window* window_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    Uint32 textureFormat_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    Path path_ = Path::None;
};

// The 16-bit layout of the screen the window is on: RGB555 on a 15-bit
// screen, RGB565 on every other.
bool ScreenStoresRgb565(SDL_Window* window);

} // namespace platform
