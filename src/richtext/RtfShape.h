#pragma once

#include <QRect>

#include <string>
#include <string_view>

namespace richtext {

// A drawing shape ({\shp{\*\shpinst ...}}): its place and which of its pictures is the one to
// show. Only the picture property "pib" is shown, at the shape's size.
struct RtfShape {
    bool active = false; // inside \shpinst
    bool pictureShown = false;
    std::string property;                         // name given by the last \sn
    int left = 0, top = 0, right = 0, bottom = 0; // twips

    // \shpleft, \shptop, \shpright, \shpbottom, \sn.
    void word(std::string_view word, int param);
    // Text inside the shape: the name of a property after \sn.
    void text(std::string_view text);
    // The picture being read is the shape's own.
    bool pictureIsShown() const { return property == "pib"; }
    // The shape's box in twips; null when it has none.
    QRect box() const;
};

} // namespace richtext
