#pragma once
// Shared fixtures of the printing tests.
#include <QByteArray>
#include <QString>

namespace printtest {

QByteArray readFile(const QString &path);
void writeKv(const QString &root, const QString &key, const QString &value);
QString readKv(const QString &root, const QString &key);
// Compares bytes with a golden file under tests/<relative>; rewrites it with
// ZX_UPDATE_GOLDEN=1. Returns an empty text when equal, else a description.
QString compareGolden(const QByteArray &actual, const QString &relative);

} // namespace printtest
