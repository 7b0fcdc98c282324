#pragma once
#include <string>
#include <vector>

// The program's icon for the desktop's menus and task bars: a page with a rainbow and a
// sun and a crayon laid across it, on a transparent ground. Each size is drawn for
// itself: outlines keep a width in whole pixels that reads at that size, and small
// sizes drop the details (rainbow bands, sun rays, the crayon's wrapper lines) that
// would blur into noise.
namespace AppIcon {

// The sizes written into the icon theme, in pixels.
const std::vector<int>& Sizes();
// Writes the icon `size` pixels square as a PNG file; false on failure.
bool WritePng(int size, const std::string& path);
// Writes every size as THEME/<n>x<n>/apps/<name>.png under `themeFolder`.
bool WriteTheme(const std::string& themeFolder, const std::string& name);

}  // namespace AppIcon
