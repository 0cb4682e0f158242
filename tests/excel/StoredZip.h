#pragma once
// Writes a zip archive with its parts stored uncompressed: enough to build
// packages the tests need to tamper with.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace wel::test {

QByteArray storedZip(const QList<QPair<QString, QByteArray>>& parts);

// A zip bomb: the parts as above, plus one part of 1 + 258 * runs zero bytes
// written as a deflate stream of about runs * 13 bits. The directory
// declares declaredSize as its unpacked size (-1: the true size).
QByteArray zipWithZeros(const QList<QPair<QString, QByteArray>>& parts, const QString& zerosName, qint64 runs,
                        qint64 declaredSize = -1);

} // namespace wel::test
