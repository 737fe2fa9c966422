// Starts a program on the X display and reports, on one line, the milliseconds from its start
// until its first top-level window is mapped and viewable, the milliseconds until that window
// has been drawn whole (every pixel drawn, and the last drawing done: nothing more drawn for
// kSettle), and its resident memory in KiB once the window has been shown for a moment. Then
// ends the program. The first time every pixel has been drawn is not enough: a parent that
// does not clip its children covers the window with its background before any control in it
// is drawn.
//
// Drawing is seen through the DAMAGE extension: a damage object is made on each top-level
// window as soon as the server announces it, before it is mapped, and the server reports
// damage when it executes the client's drawing (for Qt, the upload of its backing store).
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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

// Which pixels of a window have been drawn so far.
class Coverage {
public:
    Coverage(int width, int height)
        : width_(width), height_(height), drawn_(static_cast<std::size_t>(width * height)) {}

    void add(int x, int y, int width, int height) {
        for (int row = std::max(0, y); row < std::min(height_, y + height); ++row) {
            for (int column = std::max(0, x); column < std::min(width_, x + width); ++column) {
                auto&& pixel = drawn_[static_cast<std::size_t>(row * width_ + column)];
                if (!pixel) {
                    pixel = true;
                    ++count_;
                }
            }
        }
    }

    bool complete() const { return count_ == static_cast<long>(drawn_.size()); }

private:
    int width_, height_;
    std::vector<bool> drawn_;
    long count_ = 0;
};

// Shorter than a caret's blink, which would otherwise count as drawing.
constexpr auto kSettle = std::chrono::milliseconds(200);

double since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (damage == nullptr || !damage->present) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    std::free(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1),
                                             nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    std::map<xcb_window_t, Coverage> watched;
    xcb_window_t mapped = XCB_NONE;
    double mapMs = -1;
    double paintMs = -1;
    bool covered = false;
    Clock::time_point lastDrawn;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    const auto deadline = start + std::chrono::seconds(20);
    while (Clock::now() < deadline && !(covered && Clock::now() - lastDrawn >= kSettle)) {
        poll(&fd, 1, 10);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const int type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* create = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (!create->override_redirect) {
                    const xcb_damage_damage_t id = xcb_generate_id(connection);
                    xcb_damage_create(connection, id, create->window,
                                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                    xcb_flush(connection);
                    watched.insert_or_assign(create->window,
                                             Coverage(create->width, create->height));
                }
            } else if (type == XCB_CONFIGURE_NOTIFY) {
                // A window resized before it is drawn is drawn at its new size.
                const auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(event);
                if (watched.count(configure->window) != 0) {
                    watched.insert_or_assign(configure->window,
                                             Coverage(configure->width, configure->height));
                }
            } else if (type == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (mapMs < 0 && !map->override_redirect && viewable(connection, map->window)) {
                    mapMs = since(start);
                    mapped = map->window;
                }
            } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                const auto found = watched.find(notify->drawable);
                if (found != watched.end()) {
                    Coverage& coverage = found->second;
                    coverage.add(notify->area.x, notify->area.y, notify->area.width,
                                 notify->area.height);
                    if (found->first == mapped) {
                        lastDrawn = Clock::now();
                        covered = covered || coverage.complete();
                        if (covered) {
                            paintMs = since(start);
                        }
                    }
                }
            }
            std::free(event);
        }
    }
    long rss = -1;
    if (paintMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        rss = residentKiB(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    if (paintMs < 0) {
        std::fprintf(stderr, mapMs < 0 ? "no window was mapped\n"
                                       : "the window was never "
                                         "drawn whole\n");
        return 1;
    }
    std::printf("%.1f %.1f %ld\n", mapMs, paintMs, rss);
    return 0;
}
