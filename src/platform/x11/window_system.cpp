#include "platform/window_system.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace kvl::platform {

namespace {

// The Motif window-manager hints, the one frame hint X11 window managers share.
constexpr std::uint32_t kHintFunctions = 1u << 0;
constexpr std::uint32_t kHintDecorations = 1u << 1;
constexpr std::uint32_t kFunctionMove = 1u << 2;
constexpr std::uint32_t kDecorationBorder = 1u << 1;
constexpr std::uint32_t kDecorationTitle = 1u << 3;

// How long a window manager may take to state a frame asked for in advance.
constexpr auto kFrameAnswerWait = std::chrono::milliseconds(300);
constexpr auto kFrameAnswerPoll = std::chrono::milliseconds(5);

template <typename Reply> std::unique_ptr<Reply, decltype(&std::free)> owned(Reply *reply) {
    return {reply, &std::free};
}

// A connection of its own to the display the toolkit uses.
class Display {
public:
    Display() : connection_(xcb_connect(nullptr, &screen_), &xcb_disconnect) {}

    int screen() const { return screen_; }
    bool usable() const { return !xcb_connection_has_error(connection_.get()); }
    xcb_connection_t *get() const { return connection_.get(); }

    xcb_window_t root() const {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_.get()));
        for (int i = 0; i < screen_ && it.rem > 1; ++i)
            xcb_screen_next(&it);
        return it.data->root;
    }

    // An atom stands for its name as long as the server runs: asked once each.
    xcb_atom_t atom(const std::string &name) const {
        if (const auto known = atoms_.find(name); known != atoms_.end())
            return known->second;
        const auto reply = owned(xcb_intern_atom_reply(
            get(), xcb_intern_atom(get(), 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
            nullptr));
        if (!reply)
            return XCB_ATOM_NONE;
        return atoms_[name] = reply->atom;
    }

    // The 32-bit items of a window's property; empty when it is not set.
    std::vector<std::uint32_t> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                                        std::uint32_t maxItems) const {
        const auto reply = owned(xcb_get_property_reply(
            get(), xcb_get_property(get(), 0, window, name, type, 0, maxItems), nullptr));
        if (!reply || reply->format != 32)
            return {};
        const auto *items = static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
        return {items, items + xcb_get_property_value_length(reply.get()) / 4};
    }

    // Only a window of this process is touched: the toolkit's window may live on another display
    // than the one this connection reaches.
    bool ownsWindow(xcb_window_t window) const {
        return property(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 1) ==
               std::vector<std::uint32_t>{static_cast<std::uint32_t>(::getpid())};
    }

    // Replies are fetched without an error slot, so an error (a window gone meanwhile) is queued as an
    // event; nothing else reads this connection's queue.
    void dropQueuedEvents() const {
        while (auto event = owned(xcb_poll_for_event(get())))
            ;
    }

private:
    int screen_ = 0;
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_;
    mutable std::map<std::string, xcb_atom_t> atoms_;
};

// One connection for the program's life: a connection made for each request cost its set-up, a round
// trip and the server's description of itself, several times before the first window was shown.
const Display &sharedDisplay() {
    static const Display shared;
    shared.dropQueuedEvents();
    return shared;
}

// An X server blends windows only while a compositing manager owns the screen's _NET_WM_CM_Sn
// selection; without one, opacity hints are ignored and translucent pixels show as black.
bool compositingManagerRunning() {
    const Display &display = sharedDisplay();
    if (!display.usable())
        return false;
    const std::string selection = "_NET_WM_CM_S" + std::to_string(display.screen());
    const auto owner = owned(xcb_get_selection_owner_reply(
        display.get(), xcb_get_selection_owner(display.get(), display.atom(selection)), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

std::optional<FrameExtents> statedExtents(const Display &display, xcb_window_t window, xcb_atom_t name) {
    const auto items = display.property(window, name, XCB_ATOM_CARDINAL, 4);
    if (items.size() != 4)
        return std::nullopt;
    // Stated as left, right, top, bottom.
    return FrameExtents{int(items[0]), int(items[1]), int(items[2]), int(items[3])};
}

bool managerSupports(const Display &display, xcb_atom_t feature) {
    const auto supported =
        display.property(display.root(), display.atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    return std::ranges::find(supported, feature) != supported.end();
}

void askForExtents(const Display &display, xcb_window_t window, xcb_atom_t request) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(display.get(), 0, display.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(display.get());
}

} // namespace

// Wayland blends, but gives a client no say over a window's opacity: counted as not blending.
bool windowSystemBlends(const std::string &windowSystem) {
    return windowSystem == "xcb" && compositingManagerRunning();
}

void requestFixedFrame(std::uintptr_t nativeWindow, const std::string &windowSystem) {
    if (windowSystem != "xcb")
        return;
    const Display &display = sharedDisplay();
    const auto window = static_cast<xcb_window_t>(nativeWindow);
    if (!display.usable() || !display.ownsWindow(window))
        return;
    const xcb_atom_t hints = display.atom("_MOTIF_WM_HINTS");
    const std::uint32_t fixedFrame[5] = {kHintFunctions | kHintDecorations, kFunctionMove,
                                         kDecorationBorder | kDecorationTitle, 0, 0};
    xcb_change_property(display.get(), XCB_PROP_MODE_REPLACE, window, hints, hints, 32, 5, fixedFrame);
    // A round trip: the hint is in place before the toolkit maps the window on its own connection.
    owned(xcb_get_input_focus_reply(display.get(), xcb_get_input_focus(display.get()), nullptr));
}

std::optional<FrameExtents> frameExtents(std::uintptr_t nativeWindow, const std::string &windowSystem) {
    if (windowSystem != "xcb")
        return std::nullopt;
    const Display &display = sharedDisplay();
    const auto window = static_cast<xcb_window_t>(nativeWindow);
    if (!display.usable() || !display.ownsWindow(window))
        return std::nullopt;
    const xcb_atom_t extents = display.atom("_NET_FRAME_EXTENTS");
    if (auto stated = statedExtents(display, window, extents))
        return stated;
    const xcb_atom_t request = display.atom("_NET_REQUEST_FRAME_EXTENTS");
    if (!managerSupports(display, request))
        return std::nullopt;
    askForExtents(display, window, request);
    for (auto waited = std::chrono::milliseconds(0); waited < kFrameAnswerWait; waited += kFrameAnswerPoll) {
        std::this_thread::sleep_for(kFrameAnswerPoll);
        if (auto stated = statedExtents(display, window, extents))
            return stated;
    }
    return std::nullopt;
}

} // namespace kvl::platform
