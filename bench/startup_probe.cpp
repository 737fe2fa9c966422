// Starts a program on the X display and reports, on one line, the milliseconds from its start
// until its first top-level window is mapped and viewable, and its resident memory in KiB
// once the window has been shown for a moment. Then ends the program.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

bool viewable(xcb_connection_t* connection, xcb_window_t window) {
    const auto cookie = xcb_get_window_attributes(connection, window);
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> reply(
        xcb_get_window_attributes_reply(connection, cookie, nullptr), &std::free);
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    double milliseconds = -1;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    const auto deadline = start + std::chrono::seconds(20);
    while (milliseconds < 0 && std::chrono::steady_clock::now() < deadline) {
        poll(&fd, 1, 100);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!map->override_redirect && viewable(connection, map->window)) {
                    milliseconds = std::chrono::duration<double, std::milli>(
                                       std::chrono::steady_clock::now() - start)
                                       .count();
                }
            }
            std::free(event);
        }
    }
    long rss = -1;
    if (milliseconds >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        rss = residentKiB(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    if (milliseconds < 0) {
        std::fprintf(stderr, "no window was mapped\n");
        return 1;
    }
    std::printf("%.1f %ld\n", milliseconds, rss);
    return 0;
}
