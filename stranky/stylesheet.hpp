// web/styl.css: the one stylesheet of the site (phone first, light and dark, print on A4).
#pragma once

#include <string_view>

std::string_view stylesheet();
