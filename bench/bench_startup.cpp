// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The 妙语通 developers
// How long the program takes from launch to its window on screen, as a ratio to a bare Qt
// window that shows the same pictures and fonts (bench_bare_window). Both run on a private
// Xvfb display, launched alternately, and are watched the same way from outside: the time the
// window is mapped (a MapNotify on the root window), and the time its first frame is on screen
// (the row across the middle of the window is no longer the black of the empty screen).
// Prints the medians and the ratios; the goal is a first frame within 1.5 times the bare
// window's. Once painted, each is sent SIGTERM and timed to its end: the program hands the
// clipboard over and ends through the same steps a plain Qt program takes, so its end is put
// beside the bare window's, which returns from main with everything torn down.
// Usage: bench_startup [pairs of launches, 10 unless given]

#include "Median.h"
#include "knowledge/KnowledgeFile.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int DefaultPairs = 10;
// A launch that shows nothing for this long has failed.
constexpr auto Patience = 30s;
// Between launches, so that one's exit does not overlap the next one's start.
constexpr auto Settle = 300ms;
constexpr auto PaintPoll = 1ms;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Starts program with args; its output goes nowhere. Returns the process id, or -1.
pid_t spawn(const std::string &program, const std::vector<std::string> &args,
            const std::vector<std::string> &environment)
{
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &entry : environment)
        envp.push_back(const_cast<char *>(entry.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// An Xvfb of its own on a display number it picks itself (-displayfd), with a black screen.
class PrivateDisplay
{
public:
    ~PrivateDisplay()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
        if (m_server > 0)
            stop(m_server);
    }

    // An empty string when it started; otherwise what went wrong.
    std::string start(const std::string &xvfb)
    {
        // The write end is inherited: pipe() opens it without close-on-exec.
        int ends[2];
        if (pipe(ends) != 0)
            return std::string("no pipe: ") + std::strerror(errno);
        m_server = spawn(xvfb,
                         {"-displayfd", std::to_string(ends[1]), "-screen", "0", "1280x1024x24",
                          "-nolisten", "tcp", "-br"},
                         {environ, environ + environmentSize()});
        close(ends[1]);
        std::string number;
        pollfd wait{ends[0], POLLIN, 0};
        char c = 0;
        while (poll(&wait, 1, 10'000) == 1 && read(ends[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ends[0]);
        if (m_server <= 0 || number.empty())
            return "Xvfb did not start";
        m_name = ":" + number;
        m_connection = xcb_connect(m_name.c_str(), nullptr);
        if (xcb_connection_has_error(m_connection))
            return "cannot connect to Xvfb on " + m_name;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        // Every window mapped on the screen is reported to us.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        return {};
    }

    const std::string &name() const { return m_name; }
    xcb_connection_t *connection() const { return m_connection; }
    xcb_window_t root() const { return m_root; }

private:
    static size_t environmentSize()
    {
        size_t n = 0;
        while (environ[n])
            ++n;
        return n;
    }

    pid_t m_server = -1;
    std::string m_name;
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
};

struct Launch
{
    double shown = 0;   // seconds from launch to the window mapped
    double painted = 0; // seconds from launch to its first frame on screen
    double ended = 0;   // seconds from SIGTERM to the process gone
};

// Sends SIGTERM and returns the seconds until the process is gone; killed after Patience.
std::optional<double> terminate(pid_t pid)
{
    const Clock::time_point sent = Clock::now();
    kill(pid, SIGTERM);
    while (Clock::now() - sent < Patience) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return seconds(Clock::now() - sent);
        std::this_thread::sleep_for(PaintPoll);
    }
    stop(pid);
    return std::nullopt;
}

// The next top-level window mapped on the display, or none when nothing is mapped in time or
// the process ends first.
std::optional<xcb_window_t> awaitMap(const PrivateDisplay &display, pid_t pid,
                                     Clock::time_point deadline)
{
    xcb_connection_t *connection = display.connection();
    pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            std::optional<xcb_window_t> mapped;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (map->event == display.root() && !map->override_redirect)
                    mapped = map->window;
            }
            std::free(event);
            if (mapped)
                return mapped;
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return std::nullopt;
        poll(&wait, 1, 5);
    }
    return std::nullopt;
}

// True once most of the row across the middle of window, read from the screen, is painted:
// an unpainted window shows the black screen beneath it.
bool middleRowPainted(const PrivateDisplay &display, const xcb_get_geometry_reply_t &geometry)
{
    xcb_connection_t *connection = display.connection();
    const int16_t row = int16_t(geometry.y + geometry.height / 2);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, display.root(),
                                          geometry.x, row, geometry.width, 1, ~0u),
                            nullptr),
        &std::free);
    if (!image)
        return false;
    const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image.get()));
    const int count = xcb_get_image_data_length(image.get()) / 4;
    const int lit = int(std::count_if(pixels, pixels + count,
                                      [](uint32_t pixel) { return (pixel & 0xffffff) != 0; }));
    return count > 0 && lit * 2 > count;
}

std::optional<Launch> measure(const PrivateDisplay &display, const std::string &program,
                              const std::vector<std::string> &args,
                              const std::vector<std::string> &environment)
{
    const Clock::time_point started = Clock::now();
    const pid_t pid = spawn(program, args, environment);
    if (pid <= 0)
        return std::nullopt;
    const Clock::time_point deadline = started + Patience;
    std::optional<Launch> launch;
    if (const std::optional<xcb_window_t> window = awaitMap(display, pid, deadline)) {
        const Clock::time_point mapped = Clock::now();
        xcb_connection_t *connection = display.connection();
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, *window), nullptr),
            &std::free);
        while (geometry && Clock::now() < deadline) {
            if (middleRowPainted(display, *geometry)) {
                launch = Launch{seconds(mapped - started), seconds(Clock::now() - started), 0};
                break;
            }
            std::this_thread::sleep_for(PaintPoll);
        }
    }
    // Settled first: the program greets and loads once its first frame is up.
    std::this_thread::sleep_for(Settle);
    if (launch) {
        if (const std::optional<double> ended = terminate(pid))
            launch->ended = *ended;
        else
            launch.reset();
    } else {
        stop(pid);
    }
    std::this_thread::sleep_for(Settle);
    // What the ended window reported meanwhile (its unmapping) is of no interest.
    while (xcb_generic_event_t *event = xcb_poll_for_event(display.connection()))
        std::free(event);
    return launch;
}

} // namespace

int main(int argc, char *argv[])
{
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultPairs;
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        std::printf("bench_startup: skipped: Xvfb is not installed (Debian: apt-get install "
                    "xvfb)\n");
        return 0;
    }
    PrivateDisplay display;
    if (const std::string problem = display.start(xvfb.toStdString()); !problem.empty()) {
        std::fprintf(stderr, "bench_startup: %s\n", problem.c_str());
        return 1;
    }

    // A data folder that already holds a first run's Data.ait, so no name is asked.
    QTemporaryDir dataDir;
    const QString dataPath = QDir(dataDir.path()).filePath(KnowledgeFile::FileName);
    if (!dataDir.isValid() ||
        !KnowledgeFile::write(dataPath, *KnowledgeFile::firstRunBytes(QStringLiteral("小明")))) {
        std::fprintf(stderr, "bench_startup: cannot write %s\n", qPrintable(dataPath));
        return 1;
    }

    std::vector<std::string> environment;
    for (char **entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        if (text.rfind("DISPLAY=", 0) != 0 && text.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
            text.rfind("QT_QPA_PLATFORM=", 0) != 0)
            environment.push_back(text);
    }
    environment.push_back("DISPLAY=" + display.name());
    environment.push_back("QT_QPA_PLATFORM=xcb");

    struct Contender
    {
        const char *name;
        std::string program;
        std::vector<std::string> args;
        std::vector<double> shown;
        std::vector<double> painted;
        std::vector<double> ended;
    };
    Contender bare{"bare Qt window (baseline)", BARE_WINDOW_PATH, {}, {}, {}, {}};
    Contender real{"miaoyutong",
                   MIAOYU_PROGRAM_PATH,
                   {"--data-dir", dataDir.path().toStdString()},
                   {},
                   {},
                   {}};

    // One launch of each first, not counted: the libraries and pictures come into the page
    // cache, as they are for anyone who has started a program before.
    for (int round = -1; round < pairs; ++round) {
        for (Contender *contender : {&bare, &real}) {
            const std::optional<Launch> launch =
                measure(display, contender->program, contender->args, environment);
            if (!launch) {
                std::fprintf(stderr,
                             "bench_startup: %s showed no window, or did not end, within %lld s\n",
                             contender->program.c_str(), static_cast<long long>(Patience.count()));
                return 1;
            }
            if (round >= 0) {
                contender->shown.push_back(launch->shown);
                contender->painted.push_back(launch->painted);
                contender->ended.push_back(launch->ended);
            }
        }
    }

    std::printf("Launch to window on a private X display (Xvfb %s); medians of %d launches "
                "each, alternating\n\n",
                display.name().c_str(), pairs);
    std::printf("%-28s %14s %14s %16s\n", "", "window mapped", "first frame", "SIGTERM to end");
    for (const Contender *contender : {&bare, &real})
        std::printf("%-28s %12.3f s %12.3f s %14.3f s\n", contender->name, median(contender->shown),
                    median(contender->painted), median(contender->ended));
    std::printf("%-28s %13.2f× %13.2f× %15.2f×\n", "ratio miaoyutong / bare",
                median(real.shown) / median(bare.shown),
                median(real.painted) / median(bare.painted),
                median(real.ended) / median(bare.ended));
    std::printf("\nGoals: first frame within 1.5× the bare window's; the end within 1.5× its "
                "end.\n");
    return 0;
}
