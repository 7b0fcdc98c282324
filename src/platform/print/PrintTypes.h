#pragma once
// Records and constants of printing, fonts and text drawing.
#include <string>

#include "platform/base/WinTypes.h"

// GetDeviceCaps indices beyond the display ones.
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// Mapping mode: one logical unit is one device pixel, y grows downwards.
constexpr int MM_TEXT = 1;

// DrawText formats.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;  // single lines only
constexpr UINT DT_BOTTOM = 0x0008;   // single lines only
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;

// Background modes of text: OPAQUE fills behind the letters with the background colour.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// How text is coloured: its colour, and the background filled behind each line when opaque.
struct TextInk {
    COLORREF colour = RGB(0, 0, 0);
    COLORREF background = RGB(255, 255, 255);
    bool opaque = false;
};

// Font types reported by the family enumeration.
constexpr DWORD RASTER_FONTTYPE = 0x0001;
constexpr DWORD DEVICE_FONTTYPE = 0x0002;
constexpr DWORD TRUETYPE_FONTTYPE = 0x0004;

// Font creation values.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_CHARACTER_PRECIS = 2;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_CHARACTER_PRECIS = 1;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DEFAULT_PITCH = 0x00;
constexpr BYTE FIXED_PITCH = 0x01;
constexpr BYTE VARIABLE_PITCH = 0x02;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr BYTE FF_SCRIPT = 0x40;
constexpr BYTE FF_DECORATIVE = 0x50;

// Print dialog flags.
constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

// Result of a failed StartDoc, StartPage, EndPage or EndDoc.
constexpr int SP_ERROR = -1;

struct TEXTMETRIC {
    LONG tmHeight = 0;  // ascent + descent: the height of one line
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;  // line height above the character height
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

// A font family as the enumeration reports it.
struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfCharSet = 0;
    BYTE lfPitchAndFamily = 0;
    std::string lfFaceName;
};

struct DOCINFO {
    int cbSize = sizeof(DOCINFO);
    const char* lpszDocName = nullptr;
    // A file to print into instead of the printer; null sends the job to the printer.
    const char* lpszOutput = nullptr;
};

// The sheet a printer prints on, in points (1/72 inch), and the resolution of its device
// units. The printable area is the sheet less the margins.
struct PrinterPage {
    std::string destination;  // the print queue's name
    std::string media;        // the media name the job asks for ("iso_a4_210x297mm")
    double widthPt = 595.276;
    double heightPt = 841.89;
    double leftPt = 0;
    double topPt = 0;
    double rightPt = 0;
    double bottomPt = 0;
    int dpi = 300;
};
