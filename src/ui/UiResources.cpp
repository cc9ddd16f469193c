#include "ui/UiResources.h"

#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
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

QPixmap DisabledLook(const QPixmap& picture, const QWidget* widget) {
    QStyleOption option;
    option.initFrom(widget);
    return widget->style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
}
