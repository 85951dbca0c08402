#include "app/set_mode_page.h"

namespace qmh4 {

SetModePage::SetModePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SetModePage"));
}

void SetModePage::applyStartDefaults() {}

} // namespace qmh4
