#include "xscreenmeasure.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_screen_t* screenOf(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem > 0; ++i, xcb_screen_next(&it))
        if (i == number)
            return it.data;
    return nullptr;
}

} // namespace

XScreenMeasure::XScreenMeasure(const QByteArray& displayName) {
    int screenNumber = 0;
    xcb_connection_t* connection =
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        // A failed connection is still an object to free.
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_size = measure(screenNumber);
}

XScreenMeasure::~XScreenMeasure() {
    if (m_connection)
        xcb_disconnect(m_connection);
}

QSize XScreenMeasure::measure(int screenNumber) const {
    const xcb_screen_t* screen = screenOf(m_connection, screenNumber);
    if (!screen)
        return {};
    const QSize whole(screen->width_in_pixels, screen->height_in_pixels);

    // Monitors are what the toolkit calls screens; a server without them (RandR before 1.5)
    // shows the whole screen as one.
    const Reply<xcb_randr_query_version_reply_t> version(xcb_randr_query_version_reply(
        m_connection, xcb_randr_query_version(m_connection, 1, 5), nullptr));
    if (!version || (version->major_version == 1 && version->minor_version < 5))
        return whole;
    const Reply<xcb_randr_get_monitors_reply_t> monitors(xcb_randr_get_monitors_reply(
        m_connection, xcb_randr_get_monitors(m_connection, screen->root, 1), nullptr));
    if (!monitors)
        return whole;
    QSize first;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        const QSize size(it.data->width, it.data->height);
        if (size.isEmpty())
            continue;
        if (it.data->primary)
            return size;
        if (first.isEmpty())
            first = size;
    }
    return first.isEmpty() ? whole : first;
}
