// Times a program's start to its first painted window, seen from the X server: starts the
// command, then asks the server every 2 ms for a viewable top-level window of the given title
// whose pixel at X,Y is no longer black. Prints the milliseconds from the start; the program
// is left running, its process id written to PIDFILE. A light stand-in for polling with
// xdotool and import, which cost tens of milliseconds per look and take the CPU from the
// program being timed.
// Usage: paint_probe PIDFILE TITLE X Y COMMAND [ARGUMENTS...]
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

std::string windowName(xcb_connection_t* c, xcb_window_t window, xcb_atom_t utf8,
                       xcb_atom_t netName) {
    for (const auto& [property, type] :
         {std::pair{netName, utf8},
          std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_STRING)}}) {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, type, 0, 256), nullptr));
        if (reply && xcb_get_property_value_length(reply.get()) > 0)
            return {static_cast<const char*>(xcb_get_property_value(reply.get())),
                    static_cast<size_t>(xcb_get_property_value_length(reply.get()))};
    }
    return {};
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// True when a viewable top-level window of that title shows a non-black pixel at x, y.
bool painted(xcb_connection_t* c, xcb_window_t root, const std::string& title, int x, int y,
             xcb_atom_t utf8, xcb_atom_t netName) {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree)
        return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        if (windowName(c, children[i], utf8, netName) != title)
            continue;
        const Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
            c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, x, y, 1, 1, ~0u), nullptr));
        if (!image || xcb_get_image_data_length(image.get()) < 3)
            return false;
        const uint8_t* pixel = xcb_get_image_data(image.get());
        return (pixel[0] | pixel[1] | pixel[2]) != 0;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: paint_probe PIDFILE TITLE X Y COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    const std::string title = argv[2];
    const int x = std::atoi(argv[3]);
    const int y = std::atoi(argv[4]);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "paint_probe: no X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[5], argv + 5);
        _exit(127);
    }
    if (FILE* file = std::fopen(argv[1], "w")) {
        std::fprintf(file, "%d\n", child);
        std::fclose(file);
    }
    for (;;) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "paint_probe: %s ended before it painted\n", argv[5]);
            return 1;
        }
        if (painted(c, root, title, x, y, utf8, netName))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("%lld\n", static_cast<long long>(elapsed.count()));
    xcb_disconnect(c);
    return 0;
}
