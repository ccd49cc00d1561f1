#pragma once

#include <QPixmap>
#include <QString>

// A PNG picture of the program's own, read by Qt's PNG reader alone. Left to
// find the reader by itself, Qt first asks every image format plugin
// installed whether it reads the file, and so loads them all, with the SVG
// library among them, for the rest of a test that runs for hours. A null
// pixmap when the picture cannot be read.
QPixmap loadPng(const QString& path);
