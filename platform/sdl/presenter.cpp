#include "platform/sdl/presenter.h"

#include <cstring>

namespace platform {

Presenter::~Presenter() { DropRenderer(); }

bool Presenter::Present(const void* pixels, int pitch, int width, int height, bool rgb565) {
    const Uint32 format = rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555;
    // Checked on every flip: a window manager makes the window full-screen
    // some time after it was asked to, and the right path changes with it.
    if (WindowSurfaceFits(width, height, format) && PresentToWindowSurface(pixels, pitch, width, height, format))
        return true;
    return PresentWithRenderer(pixels, pitch, width, height, format);
}

bool Presenter::WindowSurfaceFits(int width, int height, Uint32 format) const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return w == width && h == height && SDL_GetWindowPixelFormat(window_) == format;
}

bool Presenter::PresentToWindowSurface(const void* pixels, int pitch, int width, int height, Uint32 format) {
    // A window that had a renderer must lose it before its surface is used.
    DropRenderer();
    // Fetched every time: SDL makes a new surface after a size change, and
    // hands back the same one otherwise.
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface || surface->w != width || surface->h != height || surface->format->format != format) return false;
    const auto* from = static_cast<const Uint8*>(pixels);
    auto* to = static_cast<Uint8*>(surface->pixels);
    const size_t rowBytes = static_cast<size_t>(width) * 2;
    if (pitch == surface->pitch && static_cast<size_t>(pitch) == rowBytes) {
        std::memcpy(to, from, rowBytes * static_cast<size_t>(height));
    } else {
        for (int y = 0; y < height; ++y) std::memcpy(to + y * surface->pitch, from + y * pitch, rowBytes);
    }
    if (SDL_UpdateWindowSurface(window_) != 0) return false;
    path_ = Path::WindowSurface;
    return true;
}

bool Presenter::PresentWithRenderer(const void* pixels, int pitch, int width, int height, Uint32 format) {
    if (!EnsureRenderer(width, height, format)) return false;
    if (SDL_UpdateTexture(texture_, nullptr, pixels, pitch) != 0) return false;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255); // the bars beside the frame
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    path_ = Path::Renderer;
    return true;
}

bool Presenter::EnsureRenderer(int width, int height, Uint32 format) {
    if (texture_ && textureFormat_ == format && textureWidth_ == width && textureHeight_ == height) return true;
    if (!renderer_) {
        // SDL lets SDL_RENDER_VSYNC in the environment override the flag.
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
        if (!renderer_) return false;
    }
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) return false;
    textureFormat_ = format;
    textureWidth_ = width;
    textureHeight_ = height;
    // Scaled to fit the window with its aspect kept, bars on the sides.
    SDL_RenderSetLogicalSize(renderer_, width, height);
    return true;
}

void Presenter::DropRenderer() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    textureFormat_ = 0;
}

bool ScreenStoresRgb565(SDL_Window* window) {
    return SDL_GetWindowPixelFormat(window) != SDL_PIXELFORMAT_RGB555;
}

} // namespace platform
