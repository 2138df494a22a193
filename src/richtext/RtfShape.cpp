#include "richtext/RtfShape.h"

#include <algorithm>

namespace richtext {

namespace {

int clampTwips(int v) {
    return std::clamp(v, -31680, 31680); // 22 inches either way
}

} // namespace

void RtfShape::word(std::string_view word, int param) {
    if (word == "shpleft")
        left = clampTwips(param);
    else if (word == "shptop")
        top = clampTwips(param);
    else if (word == "shpright")
        right = clampTwips(param);
    else if (word == "shpbottom")
        bottom = clampTwips(param);
    else if (word == "sn")
        property.clear();
}

void RtfShape::text(std::string_view text) {
    if (property.size() < 64)
        property.append(text);
}

QRect RtfShape::box() const {
    if (right > left && bottom > top)
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    return QRect();
}

} // namespace richtext
