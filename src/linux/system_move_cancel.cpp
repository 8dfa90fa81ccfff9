#include "linux/system_move_cancel.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#if defined(ORVANE_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {
namespace {

constexpr std::uint32_t kMoveResizeCancel = 11;
constexpr std::uint32_t kFromApplication = 1;

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t moveResizeAtom(xcb_connection_t* connection) {
    static constexpr char kName[] = "_NET_WM_MOVERESIZE";
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(kName), kName),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window) {
    const ReplyPtr<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr), &std::free);
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
}

} // namespace

bool CancelSystemMove(QWindow* window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || window == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    const auto client = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t moveResize = moveResizeAtom(connection);
    const xcb_window_t root = rootOf(connection, client);
    if (moveResize == XCB_ATOM_NONE || root == XCB_WINDOW_NONE) {
        return false;
    }
    // The window manager's move protocol: a client message about the window, sent to the root.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = client;
    message.type = moveResize;
    message.data.data32[2] = kMoveResizeCancel;
    message.data.data32[4] = kFromApplication;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}

} // namespace platform

#else

namespace platform {

bool CancelSystemMove(QWindow* /*window*/) {
    return false;
}

} // namespace platform

#endif
