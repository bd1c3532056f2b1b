#include "X11Integration.h"

#include "SessionPlatform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr quint32 kAllDesktops = 0xffffffff;
constexpr quint32 kSourcePager = 2; // EWMH source indication: a pager or taskbar acting for the user
constexpr int kTimestampWaitMs = 500;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> takeReply(T* reply)
{
    return Reply<T>(reply, &std::free);
}

Reply<xcb_get_property_reply_t> getProperty(xcb_connection_t* c, quint32 window, quint32 property, quint32 type)
{
    const auto cookie = xcb_get_property(c, 0, window, property, type, 0, 4096);
    return takeReply(xcb_get_property_reply(c, cookie, nullptr));
}

std::vector<quint32> values32(const xcb_get_property_reply_t* reply)
{
    if (!reply || reply->format != 32)
        return {};
    const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply));
    return std::vector<quint32>(data, data + xcb_get_property_value_length(reply) / 4);
}

// WM_CLASS holds two NUL-terminated strings: instance, then class.
std::pair<QString, QString> wmClass(const xcb_get_property_reply_t* reply)
{
    if (!reply || reply->format != 8)
        return {};
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply));
    const QByteArray bytes(data, xcb_get_property_value_length(reply));
    const QList<QByteArray> parts = bytes.split('\0');
    if (parts.size() < 2)
        return {};
    return {QString::fromLatin1(parts[0]), QString::fromLatin1(parts[1])};
}

} // namespace

std::unique_ptr<X11Integration> X11Integration::create()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || xcb_connection_has_error(connection))
        return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (!screen)
        return nullptr;
    return std::unique_ptr<X11Integration>(new X11Integration(connection, screen->root, 0));
}

X11Integration::X11Integration(xcb_connection_t* connection, quint32 root, int screenNumber)
    : m_connection(connection)
    , m_root(root)
    , m_screenNumber(screenNumber)
{
    // The slide show to hand the keyboard back to is whichever was last active, so watching starts
    // before the panel exists.
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Integration::~X11Integration()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    if (m_timeConnection)
        xcb_disconnect(m_timeConnection);
}

quint32 X11Integration::atom(const char* name) const
{
    const QByteArray key(name);
    if (const auto it = m_atoms.constFind(key); it != m_atoms.constEnd())
        return *it;
    const auto cookie = xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const auto reply = takeReply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    const quint32 value = reply ? reply->atom : quint32(XCB_ATOM_NONE);
    if (value != XCB_ATOM_NONE)
        m_atoms.insert(key, value);
    return value;
}

void X11Integration::setAtomList(quint32 window, const char* property, const std::vector<const char*>& values) const
{
    std::vector<quint32> atoms;
    for (const char* value : values)
        atoms.push_back(atom(value));
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(property), XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
}

QByteArray X11Integration::windowManagerName() const
{
    const std::vector<quint32> check = windowListProperty(m_root, "_NET_SUPPORTING_WM_CHECK");
    if (check.empty())
        return {};
    const auto reply = getProperty(m_connection, check.front(), atom("_NET_WM_NAME"), atom("UTF8_STRING"));
    if (!reply || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

void X11Integration::makeFloating(QWidget* window, FloatingRole role)
{
    PlatformIntegration::makeFloating(window, role);
    if (role == FloatingRole::Panel &&
        SessionPlatform::panelStacking(windowManagerName()) == SessionPlatform::PanelStacking::OverrideRedirect) {
        makeOverrideRedirect(window);
        return;
    }

    // Qt writes its own window type whenever the flags change, so ours goes on after the last change.
    // KWin keeps critical notifications above a focused full-screen window, but also strips them of
    // their frame and of every action but changing the desktop: right for the panel, which moves and
    // resizes itself, wrong for windows the user moves and closes. Those keep the type Qt gave them;
    // opening with the keyboard is what puts them above a full-screen window.
    const auto id = static_cast<quint32>(window->winId());
    if (role == FloatingRole::Panel)
        setAtomList(id, "_NET_WM_WINDOW_TYPE",
                    {"_KDE_NET_WM_WINDOW_TYPE_CRITICAL_NOTIFICATION", "_NET_WM_WINDOW_TYPE_NORMAL"});
    // Qt keeps state atoms that are on an unmapped window when it maps it.
    std::vector<const char*> states{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_STICKY"};
    if (role == FloatingRole::Panel) {
        states.push_back("_NET_WM_STATE_SKIP_TASKBAR");
        states.push_back("_NET_WM_STATE_SKIP_PAGER");
    }
    setAtomList(id, "_NET_WM_STATE", states);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, id, atom("_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32, 1,
                        &kAllDesktops);
    xcb_flush(m_connection);

    if (role == FloatingRole::Panel)
        m_panels.push_back({window, 0});
}

void X11Integration::makeOverrideRedirect(QWidget* window)
{
    // The panel moves and resizes itself, so it needs nothing of a window manager. A utility window is
    // one that wlroots never gives the keyboard to when it is clicked.
    window->setWindowFlags(window->windowFlags() | Qt::BypassWindowManagerHint);
    const auto id = static_cast<quint32>(window->winId());
    setAtomList(id, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_UTILITY"});
    xcb_flush(m_connection);
}

bool X11Integration::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    // A window that goes full screen while it has the keyboard changes no active window, but the
    // manager restacks it, so both changes count.
    if (notify->window == m_root &&
        (notify->atom == atom("_NET_ACTIVE_WINDOW") || notify->atom == atom("_NET_CLIENT_LIST_STACKING"))) {
        const quint32 active = activeWindow();
        const bool activeIsFullScreen = active != XCB_WINDOW_NONE && isFullScreen(active);
        rememberActive(active, activeIsFullScreen);
        keepPanelsAboveFullScreen(active, activeIsFullScreen);
    }
    return false; // Qt still needs to see every event
}

void X11Integration::rememberActive(quint32 active, bool fullScreen)
{
    if (active == XCB_WINDOW_NONE)
        return;
    const PresentationFinder::ClientWindow window{active, {}, {}, fullScreen, isOwnWindow(active)};
    m_lastFullScreen = PresentationFinder::rememberActive(m_lastFullScreen, window);
}

bool X11Integration::isOwnWindow(quint32 window)
{
    const QWindowList windows = QGuiApplication::allWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [window](const QWindow* own) { return own->handle() && own->winId() == window; });
}

quint32 X11Integration::activeWindow() const
{
    const std::vector<quint32> active = windowListProperty(m_root, "_NET_ACTIVE_WINDOW");
    return active.empty() ? quint32(XCB_WINDOW_NONE) : active.front();
}

bool X11Integration::isFullScreen(quint32 window) const
{
    const auto reply = getProperty(m_connection, window, atom("_NET_WM_STATE"), XCB_ATOM_ATOM);
    const std::vector<quint32> states = values32(reply.get());
    return std::find(states.begin(), states.end(), atom("_NET_WM_STATE_FULLSCREEN")) != states.end();
}

void X11Integration::keepPanelsAboveFullScreen(quint32 active, bool activeIsFullScreen)
{
    std::erase_if(m_panels, [](const GuardedPanel& panel) { return panel.widget.isNull(); });
    if (m_panels.empty())
        return;
    const std::vector<quint32> stacking = windowListProperty(m_root, "_NET_CLIENT_LIST_STACKING");
    const auto positionOf = [&stacking](quint32 window) {
        return std::find(stacking.begin(), stacking.end(), window) - stacking.begin();
    };

    for (GuardedPanel& panel : m_panels) {
        if (!panel.widget->isVisible())
            continue;
        const auto id = static_cast<quint32>(panel.widget->winId());
        if (!activeIsFullScreen || active == id) {
            if (panel.transientFor != 0) {
                setTransientFor(id, XCB_WINDOW_NONE);
                panel.transientFor = 0;
            }
            continue;
        }
        const bool beneath = positionOf(id) < positionOf(active);
        if (beneath && panel.transientFor != active) {
            setTransientFor(id, active);
            panel.transientFor = active;
        }
    }
}

void X11Integration::setTransientFor(quint32 window, quint32 parent) const
{
    if (parent == XCB_WINDOW_NONE)
        xcb_delete_property(m_connection, window, XCB_ATOM_WM_TRANSIENT_FOR);
    else
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32,
                            1, &parent);
    xcb_flush(m_connection);
}

std::vector<quint32> X11Integration::windowListProperty(quint32 window, const char* property) const
{
    return values32(getProperty(m_connection, window, atom(property), XCB_ATOM_WINDOW).get());
}

std::vector<PresentationFinder::ClientWindow> X11Integration::clientsBottomToTop() const
{
    const std::vector<quint32> stacking = windowListProperty(m_root, "_NET_CLIENT_LIST_STACKING");
    const quint32 stateAtom = atom("_NET_WM_STATE");
    const quint32 fullScreenAtom = atom("_NET_WM_STATE_FULLSCREEN");

    // Ask for every window's properties before waiting for the first answer: one round trip, not many.
    std::vector<xcb_get_property_cookie_t> classCookies;
    std::vector<xcb_get_property_cookie_t> stateCookies;
    for (const quint32 window : stacking) {
        classCookies.push_back(xcb_get_property(m_connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256));
        stateCookies.push_back(xcb_get_property(m_connection, 0, window, stateAtom, XCB_ATOM_ATOM, 0, 64));
    }
    std::vector<PresentationFinder::ClientWindow> clients;
    for (std::size_t i = 0; i < stacking.size(); ++i) {
        const auto classReply = takeReply(xcb_get_property_reply(m_connection, classCookies[i], nullptr));
        const auto stateReply = takeReply(xcb_get_property_reply(m_connection, stateCookies[i], nullptr));
        const auto [instance, className] = wmClass(classReply.get());
        const std::vector<quint32> states = values32(stateReply.get());
        const bool fullScreen = std::find(states.begin(), states.end(), fullScreenAtom) != states.end();
        clients.push_back({stacking[i], instance, className, fullScreen});
    }
    return clients;
}

void X11Integration::activatePresentation()
{
    const quint32 active = activeWindow();
    rememberActive(active, active != XCB_WINDOW_NONE && isFullScreen(active));
    const auto presentation = PresentationFinder::findPresentation(clientsBottomToTop(), m_lastFullScreen);
    if (!presentation)
        return;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = *presentation;
    message.type = atom("_NET_ACTIVE_WINDOW");
    message.data.data32[0] = kSourcePager;
    message.data.data32[1] = serverTime();
    message.data.data32[2] = XCB_WINDOW_NONE;
    xcb_send_event(m_connection, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(m_connection);
}

bool X11Integration::hasCompositor() const
{
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(m_screenNumber);
    const auto cookie = xcb_get_selection_owner(m_connection, atom(name.constData()));
    const auto reply = takeReply(xcb_get_selection_owner_reply(m_connection, cookie, nullptr));
    return reply && reply->owner != XCB_WINDOW_NONE;
}

// The X server stamps the notification of a property change with its current time; appending nothing
// to a property of a window nobody else watches is the usual way to ask for that time.
quint32 X11Integration::serverTime()
{
    if (!m_timeConnection) {
        m_timeConnection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_timeConnection))
            return XCB_CURRENT_TIME;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_timeConnection)).data;
        m_timeWindow = xcb_generate_id(m_timeConnection);
        const quint32 eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_timeConnection, 0, m_timeWindow, screen->root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventMask);
    }
    if (xcb_connection_has_error(m_timeConnection))
        return XCB_CURRENT_TIME;

    xcb_change_property(m_timeConnection, XCB_PROP_MODE_APPEND, m_timeWindow, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(m_timeConnection);
    pollfd descriptor{xcb_get_file_descriptor(m_timeConnection), POLLIN, 0};
    while (true) {
        while (const auto event = takeReply(xcb_poll_for_event(m_timeConnection))) {
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
                return reinterpret_cast<const xcb_property_notify_event_t*>(event.get())->time;
        }
        if (xcb_connection_has_error(m_timeConnection) || poll(&descriptor, 1, kTimestampWaitMs) <= 0)
            return XCB_CURRENT_TIME;
    }
}
