#pragma once

#include <QByteArray>

// A sheet as the sheet view lays it out (no margin, wrapped to a width), measured for the
// kit check: whether it could be read, the height it needs, and its text and pictures. The
// struct is plain data, so the widget-free kit rules can take it as it is.
namespace richtext {

struct SheetMeasure {
    bool converted = false; // false: nothing could be read from non-empty bytes
    int height = 0;         // pixels the whole document needs at that width
    int textLength = 0;     // characters of text
    int pictures = 0;
    int brokenPictures = 0; // pictures whose data gives no image
};

// Needs a QGuiApplication (fonts).
SheetMeasure measureSheet(const QByteArray& rtf, int width);

} // namespace richtext
