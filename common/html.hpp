// Text placed into the HTML pages of the suite: names may hold characters that HTML reads
// as markup, so they go through one escaping helper.
#pragma once

#include <string>
#include <string_view>

// & < > " as &amp; &lt; &gt; &quot;; every other byte unchanged.
std::string htmlEscape(std::string_view text);
