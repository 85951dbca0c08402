#include "support/test_support.h"

namespace qmh4::test {

QString dataPath(const QString& name) {
    return QStringLiteral(QMH4_TEST_DATA "/") + name;
}

QByteArray hexBytes(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

} // namespace qmh4::test
