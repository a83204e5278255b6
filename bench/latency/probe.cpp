// latency-probe: sends key presses and clicks through XTest and watches one pixel of the
// root window (XGetImage) until the colour a viewer is expected to show there appears.
// The latency script drives it; each command prints one line of figures.
//
//   latency-probe window TITLE
//       "X Y W H" of the largest mapped top-level window whose name contains TITLE
//       (waits up to 60 s for one).
//   latency-probe locate RRGGBB [TIMEOUT_MS]
//       "X Y", the centre of the patch of that colour on the screen (waits up to
//       TIMEOUT_MS, 30 s when not given).
//   latency-probe click X,Y
//       A left click there.
//   latency-probe pixel X,Y
//       "RRGGBB", the colour of that pixel now.
//   latency-probe run X,Y GAP_MS ACTION...
//       ACTION is key:KEYSYM:RRGGBB or click:X,Y:RRGGBB, with a leading "=" when it is to
//       be timed: send the input, then wait until the pixel X,Y shows the colour, then
//       GAP_MS more. Prints the times of the timed actions in ms, "timeout" for one whose
//       colour never came.
//   latency-probe burst X,Y KEYSYM APART_MS RRGGBB...
//       The colours: the one on show now, then the one expected after each press. Presses
//       the key once per further colour, APART_MS apart, then waits for the last colour.
//       Prints the ms from the last press to it, or "dropped N" when the viewer settled
//       on the colour of an earlier press (N presses lost), or "timeout".
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTolerance = 48;          // per channel: JPEG and scaling move a flat colour a little
constexpr int kActionTimeoutMs = 5000;  // a viewer that takes longer is said to have missed it

struct Rgb
{
    int r = 0, g = 0, b = 0;
};

bool parseColour(const char* text, Rgb* c)
{
    unsigned v = 0;
    if (std::strlen(text) != 6 || std::sscanf(text, "%6x", &v) != 1)
        return false;
    *c = {int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v) & 0xFF};
    return true;
}

bool near(const Rgb& a, const Rgb& b)
{
    return std::abs(a.r - b.r) <= kTolerance && std::abs(a.g - b.g) <= kTolerance && std::abs(a.b - b.b) <= kTolerance;
}

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

void sleepMs(double ms)
{
    std::this_thread::sleep_for(std::chrono::microseconds(long(ms * 1000)));
}

// A window that goes while it is looked at (a splash closing) is not an error here.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

class XScreen
{
public:
    XScreen()
    {
        XSetErrorHandler(ignoreErrors);
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
            return;
        m_root = DefaultRootWindow(m_display);
        int event, error, major, minor;
        m_xtest = XTestQueryExtension(m_display, &event, &error, &major, &minor);
        m_visual = DefaultVisual(m_display, DefaultScreen(m_display));
    }
    ~XScreen()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display && m_xtest; }

    Rgb pixel(int x, int y) const
    {
        XImage* image = XGetImage(m_display, m_root, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return {};
        const Rgb c = colourOf(XGetPixel(image, 0, 0));
        XDestroyImage(image);
        return c;
    }

    // The whole screen, row by row.
    std::vector<Rgb> grab(int* width, int* height) const
    {
        XWindowAttributes a;
        XGetWindowAttributes(m_display, m_root, &a);
        *width = a.width;
        *height = a.height;
        std::vector<Rgb> pixels;
        XImage* image = XGetImage(m_display, m_root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        pixels.reserve(size_t(a.width) * a.height);
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x)
                pixels.push_back(colourOf(XGetPixel(image, x, y)));
        XDestroyImage(image);
        return pixels;
    }

    bool key(const char* name) const
    {
        const KeySym sym = XStringToKeysym(name);
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(m_display, sym);
        if (!code)
            return false;
        XTestFakeKeyEvent(m_display, code, True, 0);
        XTestFakeKeyEvent(m_display, code, False, 0);
        XFlush(m_display);
        return true;
    }

    void click(int x, int y) const
    {
        XTestFakeMotionEvent(m_display, -1, x, y, 0);
        XTestFakeButtonEvent(m_display, 1, True, 0);
        XTestFakeButtonEvent(m_display, 1, False, 0);
        XFlush(m_display);
    }

    // The largest mapped top-level window whose name contains title: false when none.
    bool window(const char* title, int* x, int* y, int* w, int* h) const
    {
        Window rootReturn, parent;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, m_root, &rootReturn, &parent, &children, &count))
            return false;
        long best = 0;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(m_display, children[i], &a) || a.map_state != IsViewable)
                continue;
            char* name = nullptr;
            if (!XFetchName(m_display, children[i], &name) || !name)
                continue;
            const bool matches = std::strstr(name, title) != nullptr;
            XFree(name);
            if (!matches || long(a.width) * a.height <= best)
                continue;
            best = long(a.width) * a.height;
            Window child;
            XTranslateCoordinates(m_display, children[i], m_root, 0, 0, x, y, &child);
            *w = a.width;
            *h = a.height;
        }
        if (children)
            XFree(children);
        return best > 0;
    }

private:
    static int channel(unsigned long pixel, unsigned long mask)
    {
        if (!mask)
            return 0;
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        const unsigned long bits = mask >> shift;
        const unsigned long v = (pixel & mask) >> shift;
        return int(v * 255 / bits);
    }
    Rgb colourOf(unsigned long p) const
    {
        return {channel(p, m_visual->red_mask), channel(p, m_visual->green_mask), channel(p, m_visual->blue_mask)};
    }

    Display* m_display = nullptr;
    Window m_root = 0;
    Visual* m_visual = nullptr;
    bool m_xtest = false;
};

// Waits until the pixel shows the colour; the ms it took from `since`, or -1 on a timeout.
double waitFor(const XScreen& s, int x, int y, const Rgb& colour, Clock::time_point since, int timeoutMs)
{
    for (;;) {
        if (near(s.pixel(x, y), colour))
            return msSince(since);
        if (msSince(since) > timeoutMs)
            return -1;
        // A round trip to the server takes a fraction of this; polling flat out would take
        // a core from the viewer being measured.
        sleepMs(0.25);
    }
}

bool parsePoint(const char* text, int* x, int* y)
{
    return std::sscanf(text, "%d,%d", x, y) == 2;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: latency-probe window TITLE\n"
                 "       latency-probe locate RRGGBB [TIMEOUT_MS]\n"
                 "       latency-probe click X,Y\n"
                 "       latency-probe pixel X,Y\n"
                 "       latency-probe run X,Y GAP_MS [=]key:KEYSYM:RRGGBB|[=]click:X,Y:RRGGBB...\n"
                 "       latency-probe burst X,Y KEYSYM APART_MS RRGGBB...\n");
    return 2;
}

int windowCommand(const XScreen& s, const char* title)
{
    const auto start = Clock::now();
    int x, y, w, h;
    while (!s.window(title, &x, &y, &w, &h)) {
        if (msSince(start) > 60000) {
            std::fprintf(stderr, "latency-probe: no window named \"%s\"\n", title);
            return 1;
        }
        sleepMs(50);
    }
    std::printf("%d %d %d %d\n", x, y, w, h);
    return 0;
}

int locateCommand(const XScreen& s, const Rgb& colour, int timeoutMs)
{
    const auto start = Clock::now();
    for (;;) {
        int w = 0, h = 0;
        const std::vector<Rgb> pixels = s.grab(&w, &h);
        long n = 0, sx = 0, sy = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (near(pixels[size_t(y) * w + x], colour)) {
                    ++n;
                    sx += x;
                    sy += y;
                }
        // A patch, not a few stray pixels of the print around it.
        if (n >= 100) {
            std::printf("%ld %ld\n", sx / n, sy / n);
            return 0;
        }
        if (msSince(start) > timeoutMs) {
            std::fprintf(stderr, "latency-probe: colour %02x%02x%02x not on the screen\n", colour.r, colour.g, colour.b);
            return 1;
        }
        sleepMs(100);
    }
}

int runCommand(const XScreen& s, int x, int y, double gapMs, int argc, char** argv)
{
    std::string out;
    for (int i = 0; i < argc; ++i) {
        const char* a = argv[i];
        const bool timed = *a == '=';
        if (timed)
            ++a;
        char kind[8] = {0}, what[64] = {0}, colourText[8] = {0};
        if (std::sscanf(a, "%7[a-z]:%63[^:]:%6s", kind, what, colourText) != 3)
            return usage();
        Rgb colour;
        if (!parseColour(colourText, &colour))
            return usage();
        const auto start = Clock::now();
        if (std::strcmp(kind, "key") == 0) {
            if (!s.key(what)) {
                std::fprintf(stderr, "latency-probe: no key %s\n", what);
                return 2;
            }
        } else if (std::strcmp(kind, "click") == 0) {
            int cx, cy;
            if (!parsePoint(what, &cx, &cy))
                return usage();
            s.click(cx, cy);
        } else {
            return usage();
        }
        const double ms = waitFor(s, x, y, colour, start, kActionTimeoutMs);
        sleepMs(gapMs);
        if (timed) {
            char figure[32];
            std::snprintf(figure, sizeof figure, ms < 0 ? "timeout" : "%.1f", ms);
            out += (out.empty() ? "" : " ") + std::string(figure);
        }
    }
    std::printf("%s\n", out.c_str());
    return 0;
}

int burstCommand(const XScreen& s, int x, int y, const char* key, double apartMs, const std::vector<Rgb>& colours)
{
    if (colours.size() < 2)
        return usage();
    Clock::time_point last;
    const auto first = Clock::now();
    for (size_t i = 1; i < colours.size(); ++i) {
        // Presses at fixed times from the first, so slow sends do not stretch the gaps.
        const double due = apartMs * double(i - 1);
        while (msSince(first) < due)
            sleepMs(0.2);
        last = Clock::now();
        if (!s.key(key)) {
            std::fprintf(stderr, "latency-probe: no key %s\n", key);
            return 2;
        }
    }
    const double ms = waitFor(s, x, y, colours.back(), last, kActionTimeoutMs);
    if (ms >= 0) {
        std::printf("%.1f\n", ms);
        return 0;
    }
    const Rgb shown = s.pixel(x, y);
    for (size_t i = colours.size() - 1; i-- > 0;) {
        if (near(shown, colours[i])) {
            std::printf("dropped %zu\n", colours.size() - 1 - i);
            return 0;
        }
    }
    std::printf("timeout\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const XScreen s;
    if (!s.ok()) {
        std::fprintf(stderr, "latency-probe: no X display with the XTest extension (DISPLAY=%s)\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 1;
    }
    const std::string command = argv[1];
    if (command == "window")
        return windowCommand(s, argv[2]);
    Rgb colour;
    if (command == "locate")
        return parseColour(argv[2], &colour) ? locateCommand(s, colour, argc > 3 ? std::atoi(argv[3]) : 30000) : usage();
    int x, y;
    if (!parsePoint(argv[2], &x, &y))
        return usage();
    if (command == "click") {
        s.click(x, y);
        return 0;
    }
    if (command == "pixel") {
        const Rgb c = s.pixel(x, y);
        std::printf("%02x%02x%02x\n", c.r, c.g, c.b);
        return 0;
    }
    if (command == "run" && argc >= 4)
        return runCommand(s, x, y, std::atof(argv[3]), argc - 4, argv + 4);
    if (command == "burst" && argc >= 6) {
        std::vector<Rgb> colours;
        for (int i = 5; i < argc; ++i) {
            if (!parseColour(argv[i], &colour))
                return usage();
            colours.push_back(colour);
        }
        return burstCommand(s, x, y, argv[3], std::atof(argv[4]), colours);
    }
    return usage();
}
