#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// A Windows resource library of named bitmaps, built with the MinGW resource compiler
// and linker during the test run.
struct NamedBitmap {
    QString name;
    QImage image;
};

enum class PeKind { Pe32, Pe32Plus };

// The bytes of the library; empty, with a test failure recorded, when a tool fails.
QByteArray buildResourceDll(const QList<NamedBitmap>& bitmaps, PeKind kind);

// The bytes a bitmap resource holds for an image: its bitmap file without the file header.
QByteArray dibOf(const QImage& image);
