#pragma once
// Writes a zip archive with its parts stored uncompressed: enough to build
// packages the tests need to tamper with.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace wel::test {

QByteArray storedZip(const QList<QPair<QString, QByteArray>>& parts);

} // namespace wel::test
