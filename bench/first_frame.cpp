// Times one start of a window program as its user sees it: from exec until
// its top-level window is mapped and its first frame is on the X server.
//
//   quellan_first_frame TITLE PROGRAM [ARGUMENTS...]
//
// Prints "painted-ms peak-KiB mapped-ms cpu-ms" and ends the program. Painted
// means that a row across the middle of the window titled TITLE is no longer
// all black, the colour of a window nothing has drawn into yet on a bare X
// server. Peak is the program's VmHWM at that moment. CPU is the time all its
// threads ran, ended ones included, from its usage once killed at that
// moment (so the kernel's teardown of the process counts too); other work on
// the machine stretches it less than it stretches the wall-clock times.
//
// The X server reports the mapping as an event and is asked for one row of
// pixels at a time, so the watching costs neither program nor server a new
// process or a whole screenshot per look.

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) {
    return {reply, &std::free};
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(const std::string& reason, pid_t child) {
    std::fprintf(stderr, "first_frame: %s\n", reason.c_str());
    if (child > 0) {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    std::exit(1);
}

std::string windowTitle(xcb_connection_t* connection, xcb_window_t window) {
    const auto reply =
        owned(xcb_get_property_reply(connection,
                                     xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME,
                                                      XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                                     nullptr));
    if (!reply)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

// Whether any pixel of the window's middle row is not black.
bool painted(xcb_connection_t* connection, xcb_window_t window) {
    const auto geometry =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!geometry)
        return false;
    const auto image =
        owned(xcb_get_image_reply(connection,
                                  xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0,
                                                static_cast<std::int16_t>(geometry->height / 2),
                                                geometry->width, 1, ~std::uint32_t{0}),
                                  nullptr));
    if (!image)
        return false;
    const std::uint8_t* pixels = xcb_get_image_data(image.get());
    const int length = xcb_get_image_data_length(image.get());
    for (int i = 0; i < length; ++i)
        if (pixels[i] != 0)
            return true;
    return false;
}

long peakResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
        fail("cannot connect to the X server", 0);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server listens before the program starts.
    if (auto error =
            owned(xcb_request_check(connection, xcb_change_window_attributes_checked(
                                                    connection, root, XCB_CW_EVENT_MASK, &mask))))
        fail("cannot watch the root window", 0);

    const Clock::time_point start = Clock::now();
    // The program's own output stays out of the figures; its errors pass through.
    posix_spawn_file_actions_t quietOutput;
    posix_spawn_file_actions_init(&quietOutput);
    posix_spawn_file_actions_addopen(&quietOutput, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    if (posix_spawn(&child, argv[2], &quietOutput, nullptr, argv + 2, environ) != 0)
        fail(std::string("cannot start ") + argv[2], 0);
    posix_spawn_file_actions_destroy(&quietOutput);

    const auto deadline = start + std::chrono::seconds(10);
    const auto stillRunning = [child] { return waitpid(child, nullptr, WNOHANG) == 0; };

    xcb_window_t window = XCB_NONE;
    while (window == XCB_NONE) {
        if (Clock::now() > deadline)
            fail("no window titled \"" + title + "\" within 10 s", child);
        if (!stillRunning())
            fail(std::string(argv[2]) + " ended before its window was mapped", 0);
        pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&descriptor, 1, 50);
        while (auto event = owned(xcb_poll_for_event(connection))) {
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            if (windowTitle(connection, map->window) == title)
                window = map->window;
        }
        if (xcb_connection_has_error(connection))
            fail("lost the X server", child);
    }
    const double mappedMs = millisecondsSince(start);

    while (!painted(connection, window)) {
        if (Clock::now() > deadline)
            fail("the window was not painted within 10 s", child);
        if (!stillRunning())
            fail(std::string(argv[2]) + " ended before its window was painted", 0);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const double paintedMs = millisecondsSince(start);
    const long peak = peakResidentKiB(child);

    // Terminated by the default action, the program runs no more code of its
    // own; its usage then covers every thread it had, ended ones too.
    kill(child, SIGTERM);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    const double cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    xcb_disconnect(connection);
    std::printf("%.2f %ld %.2f %.2f\n", paintedMs, peak, mappedMs, cpuMs);
    return 0;
}
