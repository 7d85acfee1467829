#pragma once

#include <QByteArray>
#include <QSize>

struct xcb_connection_t;

// The size of the X server's primary monitor, read straight from the server before the
// application object exists. The connection stays open until this object goes: an X server
// started without -noreset (a kiosk under xinit) resets when its last client leaves, and the
// application's own connection, made in between, would then fail.
class XScreenMeasure {
public:
    // An empty name means the DISPLAY variable, as for every X program.
    explicit XScreenMeasure(const QByteArray& displayName);
    ~XScreenMeasure();
    XScreenMeasure(const XScreenMeasure&) = delete;
    XScreenMeasure& operator=(const XScreenMeasure&) = delete;

    // False when the server could not be reached; the size is then empty.
    bool Connected() const { return m_connection != nullptr; }
    // The primary monitor (RandR 1.5), else the first active one, else the whole screen.
    QSize PrimarySize() const { return m_size; }

private:
    QSize measure(int screenNumber) const;

    xcb_connection_t* m_connection = nullptr;
    QSize m_size;
};
