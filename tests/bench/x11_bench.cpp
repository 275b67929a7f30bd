// Start-up, switching and peak memory of the program in real X windows, on an
// Xvfb server of its own, each against the minimal Qt Widgets program
// (bench_minimal_qt); start-up and memory also against the minimal one that
// shows text (bench_minimal_text). Clicks go in through XTest; a window counts
// as mapped at its MapNotify on the root. A switch is done once the rows
// through the middle of the pictures show the new window's own pixels, whether
// they come in a newly mapped window (the minimal program) or in the one
// already on the screen (the program): the new window lands where the old one
// was, so anything less could be the old window's pixels.
//   usage: bench_x11 PROGRAM MINIMAL_PROGRAM MINIMAL_TEXT_PROGRAM [RUNS]
// Prints one figure a line (name, value, unit); progress goes to standard error.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

pid_t xvfb = 0;
pid_t program = 0;
Display* display = nullptr;
Window root = 0;

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "bench_x11: %s\n", why.c_str());
    if (program > 0)
        kill(program, SIGKILL);
    if (xvfb > 0)
        kill(xvfb, SIGTERM);
    std::exit(1);
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Xvfb picks a free display itself and says which once it accepts clients.
std::string startXvfb()
{
    int ready[2];
    if (pipe(ready) != 0)
        fail("no pipe");
    xvfb = fork();
    if (xvfb == 0) {
        close(ready[0]);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        const std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    char c = 0;
    while (read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty())
        fail("Xvfb did not start");
    return ":" + number;
}

pid_t launch(const char* path)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execl(path, path, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

void checkAlive(pid_t pid)
{
    if (waitpid(pid, nullptr, WNOHANG) == pid)
        fail("the program under test ended");
}

// The next top-level window mapped by anyone; only the program under test maps any.
Window waitForMap(pid_t pid)
{
    const auto deadline = Clock::now() + 10s;
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return event.xmap.window;
        }
        checkAlive(pid);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= 0ms)
            fail("no window was mapped within 10 s");
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, int(std::min<long>(left.count(), 100)));
    }
}

// Client-area rows through the middle of the pictures: y 100 crosses Image1,
// Image3, Image5 and Image7, y 260 Image2, Image4 and Image6. They sit at the
// same places in all three windows.
constexpr int pictureRows[] = {100, 260};
constexpr int rowLeft = 17;
constexpr int rowWidth = 760;

using Pixels = std::vector<unsigned long>;

Pixels sampleRows(Window window)
{
    Pixels pixels;
    for (int y : pictureRows) {
        XImage* image = XGetImage(display, window, rowLeft, y, rowWidth, 1, AllPlanes, ZPixmap);
        if (!image)
            return {};
        for (int x = 0; x < rowWidth; ++x)
            pixels.push_back(XGetPixel(image, x, 0));
        XDestroyImage(image);
    }
    return pixels;
}

// The window a MapNotify already queued names, or `window` when none came.
Window lastMapped(Window window)
{
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect)
            window = event.xmap.window;
    }
    return window;
}

// Waits until the program's window shows `pictures`; returns that window.
Window waitForPictures(pid_t pid, Window window, const Pixels& pictures)
{
    const auto deadline = Clock::now() + 10s;
    for (;;) {
        window = lastMapped(window);
        if (sampleRows(window) == pictures)
            return window;
        checkAlive(pid);
        if (Clock::now() > deadline)
            fail("the pictures were not painted within 10 s");
        std::this_thread::sleep_for(250us);
    }
}

struct Point
{
    int x;
    int y;
};

// Client-area centres of the slope buttons, the same in all three windows.
constexpr Point command3{732, 200};
constexpr Point command4{732, 232};

// Moves the pointer onto the button, lets the program see it arrive, then
// presses and releases; returns when the press went out.
Clock::time_point click(Window window, Point at)
{
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, root, at.x, at.y, &x, &y, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(20ms);
    const auto pressed = Clock::now();
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    return pressed;
}

struct Switch
{
    Window window;
    double paintedMs;
};

Switch switchWindow(pid_t pid, Window from, Point button, const Pixels& pictures)
{
    const auto pressed = click(from, button);
    const Window to = waitForPictures(pid, from, pictures);
    return {to, millisecondsSince(pressed)};
}

long peakResidentKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    fail("no VmHWM for the program");
}

int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

void print(const char* name, double value, const char* unit)
{
    std::printf("%s\t%.2f\t%s\n", name, value, unit);
}

// The picture rows of each of the three windows once settled.
using WindowPictures = std::array<Pixels, 3>;

bool uniform(const Pixels& pixels)
{
    return std::all_of(pixels.begin(), pixels.end(),
                       [&](unsigned long pixel) { return pixel == pixels.front(); });
}

// All six directions in a cycle that starts and ends on the first window:
// the button pressed and the window it leads to.
struct Step
{
    Point button;
    int to;
    const char* name;
};
constexpr Step cycle[] = {
    {command3, 2, "switch.1to2.painted_ms"}, {command4, 3, "switch.2to3.painted_ms"},
    {command3, 1, "switch.3to1.painted_ms"}, {command4, 3, "switch.1to3.painted_ms"},
    {command4, 2, "switch.3to2.painted_ms"}, {command3, 1, "switch.2to1.painted_ms"},
};

struct Switching
{
    WindowPictures pictures;
    std::vector<double> painted;
    std::map<std::string, std::vector<double>> byDirection;
};

// `runs` times round the cycle. The minimal program's windows are plain
// colours; the program's must show pictures.
Switching switching(const char* path, bool withPictures, int runs)
{
    std::fprintf(stderr, "switching %s: %d times in each of six directions\n", path, runs);
    program = launch(path);
    Window window = waitForMap(program);

    // First what each window looks like, switching slowly.
    Switching result;
    WindowPictures& pictures = result.pictures;
    std::this_thread::sleep_for(500ms);
    pictures[0] = sampleRows(window);
    for (int i = 1; i < 3; ++i) {
        click(window, i == 1 ? command3 : command4);
        std::this_thread::sleep_for(500ms);
        window = lastMapped(window);
        pictures[i] = sampleRows(window);
    }
    for (const Pixels& rows : pictures) {
        if (rows.empty() || (withPictures && uniform(rows)))
            fail("a window shows no pictures");
    }
    if (pictures[0] == pictures[1] || pictures[1] == pictures[2] || pictures[0] == pictures[2])
        fail("two windows look the same");
    window = switchWindow(program, window, command3, pictures[0]).window;

    for (int run = 0; run < runs; ++run) {
        for (const Step& step : cycle) {
            std::this_thread::sleep_for(100ms);
            const Switch done = switchWindow(program, window, step.button, pictures[step.to - 1]);
            window = done.window;
            result.painted.push_back(done.paintedMs);
            result.byDirection[step.name].push_back(done.paintedMs);
        }
    }
    stop(program);
    program = 0;
    return result;
}

double worst(const std::vector<double>& values)
{
    return *std::max_element(values.begin(), values.end());
}

// The value that 95 in 100 switches stay at or under: the tail without the
// one switch the machine happened to preempt.
double percentile95(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[(values.size() * 95 + 99) / 100 - 1];
}

// Returns what the program's windows look like, for the start-up runs.
WindowPictures switchingBoth(const char* path, const char* minimalPath, int runs)
{
    const Switching minimal = switching(minimalPath, false, runs);
    Switching brelkot = switching(path, true, runs);
    print("switch.painted_ms", median(brelkot.painted), "ms");
    print("switch.painted_worst_ms", worst(brelkot.painted), "ms");
    print("switch.painted_p95_ms", percentile95(brelkot.painted), "ms");
    for (const Step& step : cycle)
        print(step.name, median(brelkot.byDirection[step.name]), "ms");
    print("switch.minimal_qt_painted_ms", median(minimal.painted), "ms");
    print("switch.minimal_qt_painted_worst_ms", worst(minimal.painted), "ms");
    print("switch.minimal_qt_painted_p95_ms", percentile95(minimal.painted), "ms");
    print("switch.ratio", median(brelkot.painted) / median(minimal.painted), "x");
    return brelkot.pictures;
}

struct Run
{
    double startMs;
    long peakKib;
};

constexpr auto settle = 300ms;

// Start to the first window mapped; then the peak after visiting all three.
Run runProgram(const char* path, const WindowPictures& pictures)
{
    const auto started = Clock::now();
    program = launch(path);
    Window window = waitForMap(program);
    const double startMs = millisecondsSince(started);
    waitForPictures(program, window, pictures[0]);
    window = switchWindow(program, window, command3, pictures[1]).window;
    switchWindow(program, window, command4, pictures[2]);
    std::this_thread::sleep_for(settle);
    const long peak = peakResidentKib(program);
    stop(program);
    program = 0;
    return {startMs, peak};
}

// Start to its window mapped; then the peak with the window shown.
Run runMinimal(const char* path)
{
    const auto started = Clock::now();
    program = launch(path);
    waitForMap(program);
    const double startMs = millisecondsSince(started);
    std::this_thread::sleep_for(settle);
    const long peak = peakResidentKib(program);
    stop(program);
    program = 0;
    return {startMs, peak};
}

void startUpAndMemory(const char* path, const char* minimalPath, const char* textPath,
                      const WindowPictures& pictures, int runs)
{
    std::fprintf(stderr, "start-up and memory: %d runs of each, interleaved\n", runs);
    constexpr int warmUp = 2;
    std::vector<double> starts, minimalStarts, textStarts;
    std::vector<double> ratios, textRatios;
    std::vector<double> peaks, minimalPeaks, textPeaks;
    for (int i = 0; i < warmUp + runs; ++i) {
        // Rotate which goes first, so that a drift of the machine falls on all three.
        std::array<Run, 3> round{};
        for (int k = 0; k < 3; ++k) {
            const int which = (i + k) % 3;
            round[which] = which == 0 ? runProgram(path, pictures)
                                      : runMinimal(which == 1 ? minimalPath : textPath);
        }
        const auto& [run, minimal, text] = round;
        if (i < warmUp)
            continue;
        starts.push_back(run.startMs);
        minimalStarts.push_back(minimal.startMs);
        textStarts.push_back(text.startMs);
        ratios.push_back(run.startMs / minimal.startMs);
        textRatios.push_back(run.startMs / text.startMs);
        peaks.push_back(double(run.peakKib));
        minimalPeaks.push_back(double(minimal.peakKib));
        textPeaks.push_back(double(text.peakKib));
    }
    print("startup.brelkot_ms", median(starts), "ms");
    print("startup.minimal_qt_ms", median(minimalStarts), "ms");
    print("startup.ratio", median(ratios), "x");
    print("startup.minimal_text_ms", median(textStarts), "ms");
    print("startup.text_ratio", median(textRatios), "x");
    print("memory.brelkot_kib", median(peaks), "KiB");
    print("memory.minimal_qt_kib", median(minimalPeaks), "KiB");
    print("memory.ratio", median(peaks) / median(minimalPeaks), "x");
    print("memory.minimal_text_kib", median(textPeaks), "KiB");
    print("memory.text_ratio", median(peaks) / median(textPeaks), "x");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: bench_x11 PROGRAM MINIMAL_PROGRAM MINIMAL_TEXT_PROGRAM [RUNS]\n");
        return 2;
    }
    const int runs = std::max(20, argc > 4 ? std::atoi(argv[4]) : 25);

    const std::string name = startXvfb();
    setenv("DISPLAY", name.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    display = XOpenDisplay(name.c_str());
    if (!display)
        fail("cannot open display " + name);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor))
        fail("the X server has no XTest");
    XSetErrorHandler(ignoreXError);
    root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);

    const WindowPictures pictures = switchingBoth(argv[1], argv[2], runs);
    startUpAndMemory(argv[1], argv[2], argv[3], pictures, runs);

    XCloseDisplay(display);
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    return 0;
}
