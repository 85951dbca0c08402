#include "app/common_set_page.h"

namespace qmh4 {

CommonSetPage::CommonSetPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CommonSetPage"));
}

void CommonSetPage::applyStartDefaults() {}

} // namespace qmh4
