#include "app/bank_page.h"

namespace qmh4 {

BankPage::BankPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BankPage"));
}

void BankPage::applyStartDefaults() {}

} // namespace qmh4
