// SPDX-License-Identifier: MIT
// Starts a program and prints, as "milliseconds kilobytes", the time from exec until the X server maps its
// first top-level window, and the program's peak resident memory. The program is ended shortly after.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// Long enough for the window's first paint to count towards peak memory.
constexpr auto settle_time = std::chrono::milliseconds(300);

bool wait_for_map(xcb_connection_t* connection) {
    using EventPointer = std::unique_ptr<xcb_generic_event_t, decltype(&std::free)>;
    while (EventPointer event{xcb_wait_for_event(connection), &std::free}) {
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: map_timer PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fputs("map_timer: cannot connect to the X server\n", stderr);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    const bool mapped = wait_for_map(connection);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::this_thread::sleep_for(settle_time);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    xcb_disconnect(connection);
    if (!mapped) {
        std::fputs("map_timer: no window was mapped\n", stderr);
        return 1;
    }
    std::printf("%.2f %ld\n", std::chrono::duration<double, std::milli>(elapsed).count(), usage.ru_maxrss);
    return 0;
}
