// Start-up, switching and peak memory of the program in real X windows, on an
// Xvfb server of its own, each against the minimal Qt Widgets program
// (bench_minimal_qt); start-up and memory also against the minimal one that
// shows text (bench_minimal_text). Every figure is taken twice: in a session
// like a desktop's, with a session bus and the accessibility bus launcher of
// its own, and bare, with no bus at all.
//
// Clicks go in through XTest; a window counts as mapped at its MapNotify on
// the root. Start-up runs to the first complete frame: the first moment the
// window's pixels equal a reference taken of that program's window once it
// had settled, watched through the Damage extension. A switch is done once
// the rows through the middle of the pictures show the new window's own
// pixels, whether they come in a newly mapped window (the minimal program) or
// in the one already on the screen (the program): the new window lands where
// the old one was, so anything less could be the old window's pixels. The
// response window's first complete frame after Ctrl+R is set against the
// first switch of the same fresh start.
//   usage: bench_x11 PROGRAM MINIMAL_PROGRAM MINIMAL_TEXT_PROGRAM [RUNS]
// Prints one figure a line (name, value, unit), each name led by its session;
// progress goes to standard error.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
pid_t sessionBus = 0;
pid_t busLauncher = 0;
std::string runtimeDir;
Display* display = nullptr;
Window root = 0;
int damageEvent = 0;

void stopSession();

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "bench_x11: %s\n", why.c_str());
    if (program > 0)
        kill(program, SIGKILL);
    stopSession();
    if (xvfb > 0)
        kill(xvfb, SIGTERM);
    if (!runtimeDir.empty())
        rmdir(runtimeDir.c_str());
    std::exit(1);
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double millisecondsBetween(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Starts `argv` with its output thrown away; returns at once.
pid_t spawn(const std::vector<std::string>& argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (pid < 0)
        fail("cannot fork");
    return pid;
}

// Starts a server that says on a pipe, in one line, where it listens, once
// it does; the pipe's number ends its last argument. Returns that line.
std::string startAndRead(pid_t& pid, std::vector<std::string> argv)
{
    int ready[2];
    if (pipe(ready) != 0)
        fail("no pipe");
    argv.back() += std::to_string(ready[1]);
    pid = spawn(argv);
    close(ready[1]);
    std::string line;
    char c = 0;
    while (read(ready[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(ready[0]);
    return line;
}

// Xvfb picks a free display itself.
std::string startXvfb()
{
    const std::string number = startAndRead(
        xvfb, {"Xvfb", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-displayfd", ""});
    if (number.empty())
        fail("Xvfb did not start");
    return ":" + number;
}

// Whether the bus has given `name` an owner, asked through dbus-send.
bool nameHasOwner(const char* name)
{
    const std::string command = "dbus-send --session --print-reply --dest=org.freedesktop.DBus "
                                "/org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner string:" +
                                std::string(name) + " 2>/dev/null";
    FILE* reply = popen(command.c_str(), "r");
    if (!reply)
        return false;
    char buffer[256];
    bool owned = false;
    while (std::fgets(buffer, sizeof buffer, reply))
        owned = owned || std::strstr(buffer, "boolean true");
    pclose(reply);
    return owned;
}

// What a desktop session gives every program it starts: a session bus of its
// own, on which the accessibility bus launcher has registered.
void startDesktopSession()
{
    const std::string address =
        startAndRead(sessionBus, {"dbus-daemon", "--session", "--nofork", "--print-address="});
    if (address.empty())
        fail("dbus-daemon did not start (Debian package dbus-daemon)");
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    busLauncher = spawn({"/usr/libexec/at-spi-bus-launcher"});
    const auto deadline = Clock::now() + 10s;
    while (!nameHasOwner("org.a11y.Bus")) {
        if (Clock::now() > deadline)
            fail("the accessibility bus launcher did not register (Debian package at-spi2-core)");
        std::this_thread::sleep_for(20ms);
    }
}

// No bus: an address libdbus cannot parse, so that it neither finds a bus
// nor autolaunches one.
void startBareSession()
{
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

void stopSession()
{
    for (pid_t* pid : {&busLauncher, &sessionBus}) {
        if (*pid > 0) {
            kill(*pid, SIGTERM);
            waitpid(*pid, nullptr, 0);
            *pid = 0;
        }
    }
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

// Waits up to `left`, at most 100 ms, for the X connection to have something
// to read; false when nothing came.
bool waitForEvents(std::chrono::milliseconds left)
{
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    return poll(&connection, 1, int(std::clamp<long>(left.count(), 0, 100))) > 0;
}

// Damage watched on each new top-level window from its creation, before it
// is mapped or painted; destroyed with the window.
std::map<Window, Damage> damages;

void handleEvent(const XEvent& event)
{
    if (event.type == CreateNotify && !event.xcreatewindow.override_redirect &&
        event.xcreatewindow.parent == root) {
        damages[event.xcreatewindow.window] =
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
    } else if (event.type == DestroyNotify) {
        damages.erase(event.xdestroywindow.window);
    }
}

// The next top-level window mapped by anyone; only the program under test maps any.
Window waitForMap(pid_t pid)
{
    const auto deadline = Clock::now() + 10s;
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            handleEvent(event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return event.xmap.window;
        }
        checkAlive(pid);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= 0ms)
            fail("no window was mapped within 10 s");
        waitForEvents(left);
    }
}

using Pixels = std::vector<unsigned long>;

// The pixels of a rectangle of `window`; empty when it cannot be read.
Pixels grab(Window window, int left, int top, int width, int height)
{
    XImage* image = XGetImage(display, window, left, top, width, height, AllPlanes, ZPixmap);
    if (!image)
        return {};
    Pixels pixels;
    pixels.reserve(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(XGetPixel(image, x, y));
    }
    XDestroyImage(image);
    return pixels;
}

// The bytes of a whole client area, read through shared memory: one copy in
// the server, so that a look at the window holds the program's own drawing up
// as little as possible.
using Frame = std::vector<char>;

XShmSegmentInfo shared{};

void attachSharedMemory()
{
    const Screen* screen = DefaultScreenOfDisplay(display);
    shared.shmid =
        shmget(IPC_PRIVATE, std::size_t(screen->width) * screen->height * 4, IPC_CREAT | 0600);
    if (shared.shmid < 0)
        fail("no shared memory");
    shared.shmaddr = static_cast<char*>(shmat(shared.shmid, nullptr, 0));
    // Gone once both sides have detached, however the benchmark ends.
    shmctl(shared.shmid, IPC_RMID, nullptr);
    shared.readOnly = False;
    if (shared.shmaddr == reinterpret_cast<char*>(-1) || !XShmAttach(display, &shared))
        fail("the X server cannot share memory");
    XSync(display, False);
}

Frame grabWindow(Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return {};
    XImage* image = XShmCreateImage(display, attributes.visual, unsigned(attributes.depth), ZPixmap,
                                    shared.shmaddr, &shared, unsigned(attributes.width),
                                    unsigned(attributes.height));
    Frame frame;
    if (image && XShmGetImage(display, window, image, 0, 0, AllPlanes))
        frame.assign(image->data,
                     image->data + std::ptrdiff_t(image->bytes_per_line) * image->height);
    if (image)
        XDestroyImage(image);
    return frame;
}

// Whether every 32-bit pixel of the frame is the first one.
bool uniform(const Frame& frame)
{
    for (std::size_t i = 4; i + 4 <= frame.size(); i += 4) {
        if (std::memcmp(&frame[i], frame.data(), 4) != 0)
            return false;
    }
    return true;
}

// Client-area rows through the middle of the pictures: y 100 crosses Image1,
// Image3, Image5 and Image7, y 260 Image2, Image4 and Image6. They sit at the
// same places in all three windows.
constexpr int pictureRows[] = {100, 260};
constexpr int rowLeft = 17;
constexpr int rowWidth = 760;

Pixels sampleRows(Window window)
{
    Pixels pixels;
    for (int y : pictureRows) {
        const Pixels row = grab(window, rowLeft, y, rowWidth, 1);
        if (row.empty())
            return {};
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    return pixels;
}

// The window a MapNotify already queued names, or `window` when none came.
Window lastMapped(Window window)
{
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        handleEvent(event);
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

// Waits until `window` shows `frame` in full; returns when the paint that
// completed it was reported. The window is looked at once after each report,
// so the program's drawing is not held up by polling; and after 100 ms
// without one, in case a paint came before the report was asked for.
Clock::time_point waitForFrame(pid_t pid, Window window, const Frame& frame)
{
    const auto deadline = Clock::now() + 10s;
    const auto found = damages.find(window);
    if (found == damages.end())
        fail("the window was mapped before it was seen created");
    const Damage damage = found->second;
    bool damaged = false;
    auto reported = Clock::now();
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            handleEvent(event);
            if (event.type == damageEvent + XDamageNotify &&
                reinterpret_cast<const XDamageNotifyEvent&>(event).damage == damage) {
                damaged = true;
                reported = Clock::now();
            }
        }
        if (damaged) {
            damaged = false;
            XDamageSubtract(display, damage, None, None);
            if (grabWindow(window) == frame)
                return reported;
        }
        checkAlive(pid);
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= 0ms)
            fail("the window did not show its settled frame within 10 s");
        if (!waitForEvents(left)) {
            damaged = true;
            reported = Clock::now();
        }
    }
}

// Away from every window, so that no control is drawn hovered.
void parkPointer()
{
    XTestFakeMotionEvent(display, DefaultScreen(display), 0, 0, CurrentTime);
    XSync(display, False);
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

// The session each figure was taken in leads its name.
std::string session;

void print(const std::string& name, double value, const char* unit)
{
    std::printf("%s.%s\t%.2f\t%s\n", session.c_str(), name.c_str(), value, unit);
    std::fflush(stdout);
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

// What each of the program's windows looks like, taken switching slowly from
// a fresh start. The minimal program's windows are plain colours; the
// program's must show pictures.
WindowPictures windowPictures(const char* path, bool withPictures)
{
    program = launch(path);
    Window window = waitForMap(program);
    WindowPictures pictures;
    std::this_thread::sleep_for(500ms);
    pictures[0] = sampleRows(window);
    for (int i = 1; i < 3; ++i) {
        click(window, i == 1 ? command3 : command4);
        std::this_thread::sleep_for(500ms);
        window = lastMapped(window);
        pictures[i] = sampleRows(window);
    }
    stop(program);
    program = 0;
    for (const Pixels& rows : pictures) {
        if (rows.empty() || (withPictures && uniform(rows)))
            fail("a window shows no pictures");
    }
    if (pictures[0] == pictures[1] || pictures[1] == pictures[2] || pictures[0] == pictures[2])
        fail("two windows look the same");
    return pictures;
}

// From a fresh start, once round the cycle unmeasured, so that every window
// has been built once as in a longer session, then `cycles` times measured.
void switchCycles(const char* path, int cycles, Switching& into)
{
    program = launch(path);
    Window window = waitForMap(program);
    waitForPictures(program, window, into.pictures[0]);
    for (int round = 0; round <= cycles; ++round) {
        for (const Step& step : cycle) {
            std::this_thread::sleep_for(100ms);
            const Switch done =
                switchWindow(program, window, step.button, into.pictures[step.to - 1]);
            window = done.window;
            if (round == 0)
                continue;
            into.painted.push_back(done.paintedMs);
            into.byDirection[step.name].push_back(done.paintedMs);
        }
    }
    stop(program);
    program = 0;
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

// `runs` times round the cycle in each program, in blocks of a few cycles
// that take turns, the first program of each pair alternating, so that a
// drift of the machine falls on both; a ratio is the median of the ratios of
// the blocks' medians. Returns what the program's windows look like, for the
// start-up runs.
WindowPictures switchingBoth(const char* path, const char* minimalPath, int runs)
{
    constexpr int blockCycles = 5;
    std::fprintf(stderr,
                 "%s session, switching %s and %s: %d times in each of six directions, "
                 "in blocks of %d\n",
                 session.c_str(), path, minimalPath, runs, blockCycles);
    Switching brelkot, minimal;
    brelkot.pictures = windowPictures(path, true);
    minimal.pictures = windowPictures(minimalPath, false);
    std::vector<double> ratios;
    for (int done = 0, block = 0; done < runs; done += blockCycles, ++block) {
        const int cycles = std::min(blockCycles, runs - done);
        const std::size_t from[] = {brelkot.painted.size(), minimal.painted.size()};
        for (int k = 0; k < 2; ++k) {
            if ((block + k) % 2 == 0)
                switchCycles(path, cycles, brelkot);
            else
                switchCycles(minimalPath, cycles, minimal);
        }
        const auto blockMedian = [](const Switching& s, std::size_t first) {
            return median({s.painted.begin() + std::ptrdiff_t(first), s.painted.end()});
        };
        ratios.push_back(blockMedian(brelkot, from[0]) / blockMedian(minimal, from[1]));
    }
    print("switch.painted_ms", median(brelkot.painted), "ms");
    print("switch.painted_worst_ms", worst(brelkot.painted), "ms");
    print("switch.painted_p95_ms", percentile95(brelkot.painted), "ms");
    for (const Step& step : cycle)
        print(step.name, median(brelkot.byDirection[step.name]), "ms");
    print("switch.minimal_qt_painted_ms", median(minimal.painted), "ms");
    print("switch.minimal_qt_painted_worst_ms", worst(minimal.painted), "ms");
    print("switch.minimal_qt_painted_p95_ms", percentile95(minimal.painted), "ms");
    print("switch.ratio", median(ratios), "x");
    print("switch.p95_ratio", percentile95(brelkot.painted) / percentile95(minimal.painted), "x");
    return brelkot.pictures;
}

// What a program's window looks like once it has settled: the reference its
// start-up runs wait for.
Frame settledFrame(const char* path)
{
    parkPointer();
    program = launch(path);
    const Window window = waitForMap(program);
    std::this_thread::sleep_for(1s);
    Frame frame = grabWindow(window);
    stop(program);
    program = 0;
    return frame;
}

struct Run
{
    double mappedMs;
    double frameMs;
    long peakKib;
};

constexpr auto settle = 300ms;

// Start to the first window mapped and to its first complete frame.
Window startUp(const char* path, const Frame& frame, Run& run)
{
    parkPointer();
    const auto started = Clock::now();
    program = launch(path);
    const Window window = waitForMap(program);
    run.mappedMs = millisecondsSince(started);
    run.frameMs = millisecondsBetween(started, waitForFrame(program, window, frame));
    return window;
}

// Start-up; then the peak after visiting all three windows.
Run runProgram(const char* path, const Frame& frame, const WindowPictures& pictures)
{
    Run run{};
    Window window = startUp(path, frame, run);
    window = switchWindow(program, window, command3, pictures[1]).window;
    switchWindow(program, window, command4, pictures[2]);
    std::this_thread::sleep_for(settle);
    run.peakKib = peakResidentKib(program);
    stop(program);
    program = 0;
    return run;
}

// Start-up; then the peak with the window shown.
Run runMinimal(const char* path, const Frame& frame)
{
    Run run{};
    startUp(path, frame, run);
    std::this_thread::sleep_for(settle);
    run.peakKib = peakResidentKib(program);
    stop(program);
    program = 0;
    return run;
}

void startUpAndMemory(const std::array<const char*, 3>& paths, const WindowPictures& pictures,
                      int runs)
{
    std::array<Frame, 3> frames;
    for (int which = 0; which < 3; ++which) {
        frames[which] = settledFrame(paths[which]);
        if (frames[which].empty())
            fail(std::string("no settled frame of ") + paths[which]);
    }
    if (uniform(frames[0]) || uniform(frames[2]))
        fail("the settled frame shows nothing");

    std::fprintf(stderr, "%s session, start-up and memory: %d runs of each, interleaved\n",
                 session.c_str(), runs);
    constexpr int warmUp = 2;
    std::array<std::vector<double>, 3> mapped, complete, peaks;
    std::vector<double> frameRatios, textFrameRatios, mappedRatios, textMappedRatios;
    for (int i = 0; i < warmUp + runs; ++i) {
        // Rotate which goes first, so that a drift of the machine falls on all three.
        std::array<Run, 3> round{};
        for (int k = 0; k < 3; ++k) {
            const int which = (i + k) % 3;
            round[which] = which == 0 ? runProgram(paths[0], frames[0], pictures)
                                      : runMinimal(paths[which], frames[which]);
        }
        if (i < warmUp)
            continue;
        for (int which = 0; which < 3; ++which) {
            mapped[which].push_back(round[which].mappedMs);
            complete[which].push_back(round[which].frameMs);
            peaks[which].push_back(double(round[which].peakKib));
        }
        const auto& [run, minimal, text] = round;
        frameRatios.push_back(run.frameMs / minimal.frameMs);
        textFrameRatios.push_back(run.frameMs / text.frameMs);
        mappedRatios.push_back(run.mappedMs / minimal.mappedMs);
        textMappedRatios.push_back(run.mappedMs / text.mappedMs);
    }
    print("startup.brelkot_frame_ms", median(complete[0]), "ms");
    print("startup.minimal_qt_frame_ms", median(complete[1]), "ms");
    print("startup.minimal_text_frame_ms", median(complete[2]), "ms");
    print("startup.frame_ratio", median(frameRatios), "x");
    print("startup.text_frame_ratio", median(textFrameRatios), "x");
    print("startup.brelkot_mapped_ms", median(mapped[0]), "ms");
    print("startup.minimal_qt_mapped_ms", median(mapped[1]), "ms");
    print("startup.minimal_text_mapped_ms", median(mapped[2]), "ms");
    print("startup.mapped_ratio", median(mappedRatios), "x");
    print("startup.text_mapped_ratio", median(textMappedRatios), "x");
    print("memory.brelkot_kib", median(peaks[0]), "KiB");
    print("memory.minimal_qt_kib", median(peaks[1]), "KiB");
    print("memory.minimal_text_kib", median(peaks[2]), "KiB");
    print("memory.ratio", median(peaks[0]) / median(peaks[1]), "x");
    print("memory.text_ratio", median(peaks[0]) / median(peaks[2]), "x");
}

// Presses and releases a key through XTest, Control held when asked.
void pressKey(KeySym keysym, bool control = false)
{
    const KeyCode controlKey = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode key = XKeysymToKeycode(display, keysym);
    if (control)
        XTestFakeKeyEvent(display, controlKey, True, CurrentTime);
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    if (control)
        XTestFakeKeyEvent(display, controlKey, False, CurrentTime);
    XFlush(display);
}

// The README's example, typed into the entry boxes where they sit in every
// window, then "Изчисли".
void calculateExample(Window window)
{
    constexpr std::pair<Point, const char*> entries[] = {
        {{112, 366}, "500"}, {{112, 382}, "8"},    {{344, 366}, "500"}, {{344, 382}, "3000"},
        {{344, 398}, "8"},   {{568, 366}, "3000"}, {{568, 382}, "8"},
    };
    for (const auto& [at, digits] : entries) {
        click(window, at);
        for (const char* digit = digits; *digit; ++digit)
            pressKey(XK_0 + KeySym(*digit - '0'));
    }
    click(window, {732, 136});
    std::this_thread::sleep_for(200ms);
}

struct ResponseRun
{
    double switchMs;
    double responseMs;
    Frame settled;
};

// From a fresh start: the switch to the second-order window; then, with the
// example calculated there, Ctrl+R to the response window's first complete
// frame, or, without a reference, that window once it has settled.
ResponseRun responseRun(const char* path, const WindowPictures& pictures, const Frame* reference)
{
    parkPointer();
    program = launch(path);
    Window window = waitForMap(program);
    waitForPictures(program, window, pictures[0]);
    std::this_thread::sleep_for(100ms);
    ResponseRun run{};
    const Switch done = switchWindow(program, window, command3, pictures[1]);
    run.switchMs = done.paintedMs;
    calculateExample(done.window);
    const auto pressed = Clock::now();
    pressKey(XK_r, true);
    const Window response = waitForMap(program);
    if (reference) {
        run.responseMs = millisecondsBetween(pressed, waitForFrame(program, response, *reference));
    } else {
        std::this_thread::sleep_for(1s);
        run.settled = grabWindow(response);
    }
    stop(program);
    program = 0;
    return run;
}

void responseWindow(const char* path, const WindowPictures& pictures, int runs)
{
    const Frame reference = responseRun(path, pictures, nullptr).settled;
    if (reference.empty() || uniform(reference))
        fail("the response window shows nothing");
    std::fprintf(stderr, "%s session, the response window: %d fresh starts\n", session.c_str(),
                 runs);
    std::vector<double> switches, responses, ratios;
    for (int i = 0; i < runs; ++i) {
        const ResponseRun run = responseRun(path, pictures, &reference);
        switches.push_back(run.switchMs);
        responses.push_back(run.responseMs);
        ratios.push_back(run.responseMs / run.switchMs);
    }
    print("response.first_switch_ms", median(switches), "ms");
    print("response.window_frame_ms", median(responses), "ms");
    print("response.window_switch_ratio", median(ratios), "x");
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
    const std::array<const char*, 3> paths{argv[1], argv[2], argv[3]};

    // A runtime directory of its own, as a desktop session gives each user.
    char runtimeTemplate[] = "/tmp/bench_x11.XXXXXX";
    if (!mkdtemp(runtimeTemplate))
        fail("no runtime directory");
    runtimeDir = runtimeTemplate;
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);

    const std::string name = startXvfb();
    setenv("DISPLAY", name.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    display = XOpenDisplay(name.c_str());
    if (!display)
        fail("cannot open display " + name);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor))
        fail("the X server has no XTest");
    if (!XDamageQueryExtension(display, &damageEvent, &error))
        fail("the X server has no Damage");
    XDamageQueryVersion(display, &major, &minor);
    if (!XShmQueryExtension(display))
        fail("the X server has no MIT-SHM");
    attachSharedMemory();
    XSetErrorHandler(ignoreXError);
    // The programs started are not to inherit this connection.
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);

    for (const char* name : {"desktop", "bare"}) {
        session = name;
        if (session == "desktop")
            startDesktopSession();
        else
            startBareSession();
        const WindowPictures pictures = switchingBoth(argv[1], argv[2], runs);
        startUpAndMemory(paths, pictures, runs);
        responseWindow(argv[1], pictures, runs);
        stopSession();
    }

    XCloseDisplay(display);
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    rmdir(runtimeDir.c_str());
    return 0;
}
