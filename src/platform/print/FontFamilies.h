#pragma once
#include <functional>

#include "platform/draw/CDC.h"
#include "platform/print/PrintTypes.h"

// Called once per font family with the family's description and its type
// (TRUETYPE_FONTTYPE for TrueType and OpenType faces, RASTER_FONTTYPE for bitmap faces,
// 0 for other scalable formats). Returning 0 stops the enumeration.
using FontEnumProc = std::function<int(const LOGFONT& font, DWORD fontType)>;

// Enumerates the system's font families in alphabetical order (fonts are the system's, so
// every device context sees the same families). The common Windows faces that fontconfig
// maps to an installed metric-compatible family (Liberation Sans for "Arial") are reported
// under their Windows names as well. Returns the callback's last result, 1 when it was
// never called.
int EnumFontFamilies(CDC* dc, const FontEnumProc& proc);
