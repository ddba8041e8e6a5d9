#include "app/LockIndicators.h"

#include <QtGui/qguiapplication_platform.h>
#include <dlfcn.h>

#include <QGuiApplication>

namespace {

// XkbGetIndicatorState from libX11, looked up at run time so that Quadrell
// needs no X11 development files and runs where X11 is absent.
using XkbGetIndicatorStateFn = int (*)(void* display, unsigned int device, unsigned int* state);
constexpr unsigned int kXkbUseCoreKbd = 0x0100;

XkbGetIndicatorStateFn IndicatorFunction() {
    static const XkbGetIndicatorStateFn function = []() -> XkbGetIndicatorStateFn {
        void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (library == nullptr) return nullptr;
        return reinterpret_cast<XkbGetIndicatorStateFn>(dlsym(library, "XkbGetIndicatorState"));
    }();
    return function;
}

}  // namespace

std::optional<LockState> QueryLockState() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) return std::nullopt;
    const XkbGetIndicatorStateFn function = IndicatorFunction();
    if (function == nullptr) return std::nullopt;
    unsigned int state = 0;
    if (function(x11->display(), kXkbUseCoreKbd, &state) != 0) return std::nullopt;
    // The usual indicator order: Caps Lock, Num Lock, Scroll Lock.
    return LockState{(state & 1u) != 0, (state & 2u) != 0, (state & 4u) != 0};
}
