// web/favicon.ico: the site's icon (a white T on the header's blue), so that no browser asks
// the host for an icon that is not there.
#pragma once

#include <string>

std::string siteIcon();
