#pragma once

#include <QByteArray>
#include <QList>

// The answers file as the station must write it, spelled out byte by byte from the format
// (six String(20) fields a1..a6, no indexes, one row), independently of the table writer.
QByteArray reviewAnswersFile(const QList<QByteArray>& values);
