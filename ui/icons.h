#pragma once
// The toolbar and button pictures. They are drawn from SVG at build time into plain pixels compiled into the
// program, so showing them at start loads neither the SVG icon plugin nor any image reader.

#include <QIcon>
#include <cstdint>
#include <string_view>

namespace ui {

// The icon of the picture `name` (the file name of app/icons/NAME.svg without .svg); a null icon for an
// unknown name.
QIcon icon(std::string_view name);

namespace detail {

// One rendering of one picture: premultiplied ARGB, one 32-bit word per pixel, rows without padding.
struct IconPicture
{
    const char* name;
    int width;
    int height;
    const uint32_t* pixels;
};

// Written by the build (app/render_icons.cpp).
extern const IconPicture iconPictures[];
extern const int iconPictureCount;

} // namespace detail

} // namespace ui
