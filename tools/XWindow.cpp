#include "XWindow.h"

#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <png.h>
#include <thread>

namespace xwindow {

std::string GetTitle(Display* display, Window window) {
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

static Window FindByTitle(Display* display, Window parent, const std::string& title, bool viewableOnly) {
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOfParent, &children, &count)) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        if (GetTitle(display, children[i]) == title &&
            (!viewableOnly || GetGeometry(display, children[i]).viewable)) {
            found = children[i];
        } else {
            found = FindByTitle(display, children[i], title, viewableOnly);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

namespace {

// Other clients' windows can be destroyed between listing them and asking about them. Such an answer
// (BadWindow) means "not this one" to the search, where Xlib's default handler would end the process;
// every other error still goes to the handler that was installed before.
class SurviveVanishedWindows {
  public:
    explicit SurviveVanishedWindows(Display* display) : display_(display) {
        // Errors of earlier requests belong to the handler that was current when they were made.
        XSync(display_, False);
        previous_ = XSetErrorHandler(Handler);
    }
    ~SurviveVanishedWindows() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    SurviveVanishedWindows(const SurviveVanishedWindows&) = delete;
    SurviveVanishedWindows& operator=(const SurviveVanishedWindows&) = delete;

  private:
    static int Handler(Display* display, XErrorEvent* error) {
        return error->error_code == BadWindow ? 0 : previous_(display, error);
    }

    Display* display_;
    static XErrorHandler previous_;
};

XErrorHandler SurviveVanishedWindows::previous_ = nullptr;

} // namespace

Window WaitForWindow(Display* display, const std::string& title, int timeoutMs) {
    SurviveVanishedWindows survive(display);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        Window window = FindByTitle(display, DefaultRootWindow(display), title, true);
        if (window != 0 || std::chrono::steady_clock::now() >= deadline) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool WindowExists(Display* display, const std::string& title) {
    SurviveVanishedWindows survive(display);
    return FindByTitle(display, DefaultRootWindow(display), title, false) != 0;
}

Geometry GetGeometry(Display* display, Window window) {
    Geometry geometry;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) {
        return geometry;
    }
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &geometry.x, &geometry.y, &child);
    geometry.width = attributes.width;
    geometry.height = attributes.height;
    geometry.viewable = attributes.map_state == IsViewable;
    return geometry;
}

// Position of the lowest set bit of a channel mask and the mask's width, to unpack any TrueColor layout.
static void ChannelShift(unsigned long mask, int& shift, int& bits) {
    shift = 0;
    bits = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++bits;
    }
}

static uint8_t Channel(unsigned long pixel, unsigned long mask) {
    int shift = 0;
    int bits = 0;
    ChannelShift(mask, shift, bits);
    if (bits == 0) {
        return 0;
    }
    unsigned long value = (pixel & mask) >> shift;
    unsigned long maximum = (1ul << bits) - 1;
    return static_cast<uint8_t>((value * 255 + maximum / 2) / maximum);
}

Image Capture(Display* display, Window window) {
    Image image;
    Geometry geometry = GetGeometry(display, window);
    XImage* ximage = XGetImage(display, window, 0, 0, static_cast<unsigned int>(geometry.width),
                               static_cast<unsigned int>(geometry.height), AllPlanes, ZPixmap);
    if (ximage == nullptr) {
        return image;
    }
    image.width = geometry.width;
    image.height = geometry.height;
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            unsigned long pixel = XGetPixel(ximage, x, y);
            uint8_t* out = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
            out[0] = Channel(pixel, ximage->red_mask);
            out[1] = Channel(pixel, ximage->green_mask);
            out[2] = Channel(pixel, ximage->blue_mask);
        }
    }
    XDestroyImage(ximage);
    return image;
}

bool SendKey(Display* display, Window window, KeySym keysym) {
    XKeyEvent event{};
    event.display = display;
    event.window = window;
    event.root = DefaultRootWindow(display);
    event.time = CurrentTime;
    event.same_screen = True;
    event.keycode = XKeysymToKeycode(display, keysym);
    bool sent = true;
    for (int type : {KeyPress, KeyRelease}) {
        event.type = type;
        long mask = type == KeyPress ? KeyPressMask : KeyReleaseMask;
        sent = XSendEvent(display, window, True, mask, reinterpret_cast<XEvent*>(&event)) != 0 && sent;
    }
    XFlush(display);
    return sent;
}

bool WritePng(const Image& image, const std::string& path) {
    if (image.width <= 0 || image.height <= 0) {
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path.c_str(), 0, image.rgb.data(), 0, nullptr) != 0;
}

} // namespace xwindow
