#include "ui/UiResources.h"

#include <QtGlobal>
#include <mutex>

// Q_INIT_RESOURCE must be used outside of any namespace.
static void RegisterTunecrateResources() {
    Q_INIT_RESOURCE(tunecrate);
}

void InitUiResources() {
    static std::once_flag once;
    std::call_once(once, RegisterTunecrateResources);
}
