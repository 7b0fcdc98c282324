#include "platform/print/FontFamilies.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace {

struct Family {
    DWORD type = 0;
    BYTE pitch = VARIABLE_PITCH;
};

struct Caseless {
    bool operator()(const std::string& a, const std::string& b) const {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};
using FamilyMap = std::map<std::string, Family, Caseless>;

// Faces that documents and programs from Windows name; fontconfig's metric aliases map
// them to free families with the same widths.
constexpr std::array<std::string_view, 12> kWindowsFaces = {
    "Arial",   "Arial Narrow", "Times New Roman", "Courier New", "Comic Sans MS", "Century Gothic",
    "Verdana", "Georgia",      "Trebuchet MS",    "Tahoma",      "Calibri",       "Cambria"};

DWORD TypeOf(FcPattern* font) {
    FcBool scalable = FcFalse;
    FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
    if (!scalable) return RASTER_FONTTYPE;
    FcChar8* format = nullptr;
    if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) == FcResultMatch) {
        const std::string_view f(reinterpret_cast<const char*>(format));
        if (f == "TrueType" || f == "CFF") return TRUETYPE_FONTTYPE;
    }
    return 0;
}

struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};

FamilyMap InstalledFamilies() {
    FamilyMap families;
    std::unique_ptr<FcPattern, PatternDeleter> all(FcPatternCreate());
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_SCALABLE, FC_FONTFORMAT, FC_SPACING,
                                            static_cast<char*>(nullptr));
    std::unique_ptr<FcFontSet, FontSetDeleter> set(FcFontList(nullptr, all.get(), objects));
    FcObjectSetDestroy(objects);
    if (!set) return families;
    for (int i = 0; i < set->nfont; ++i) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &name) != FcResultMatch) continue;
        Family& family = families[reinterpret_cast<const char*>(name)];
        // A family with one TrueType face counts as TrueType.
        const DWORD type = TypeOf(set->fonts[i]);
        if (type == TRUETYPE_FONTTYPE || family.type == 0) family.type = type;
        int spacing = 0;
        if (FcPatternGetInteger(set->fonts[i], FC_SPACING, 0, &spacing) == FcResultMatch &&
            spacing >= FC_MONO) {
            family.pitch = FIXED_PITCH;
        }
    }
    return families;
}

// The installed family that fontconfig's metric aliases put in place of `face`: those
// aliases bind strongly, while the weak ones only name look-alikes of a generic family.
// Empty when there is none.
std::string AliasTarget(const std::string& face, const FamilyMap& installed) {
    std::unique_ptr<FcPattern, PatternDeleter> pattern(
        FcNameParse(reinterpret_cast<const FcChar8*>(face.c_str())));
    if (!pattern) return {};
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcPatternIter it;
    FcPatternIterStart(pattern.get(), &it);
    if (!FcPatternFindIter(pattern.get(), &it, FC_FAMILY)) return {};
    const int count = FcPatternIterValueCount(pattern.get(), &it);
    for (int i = 1; i < count; ++i) {
        FcValue value;
        FcValueBinding binding = FcValueBindingWeak;
        if (FcPatternIterGetValue(pattern.get(), &it, i, &value, &binding) != FcResultMatch ||
            value.type != FcTypeString || binding == FcValueBindingWeak) {
            continue;
        }
        const auto found = installed.find(reinterpret_cast<const char*>(value.u.s));
        if (found != installed.end()) return found->first;
    }
    return {};
}

FamilyMap FamiliesWithAliases() {
    FamilyMap families = InstalledFamilies();
    FamilyMap aliases;
    for (std::string_view face : kWindowsFaces) {
        const std::string name(face);
        if (families.count(name) != 0) continue;
        const std::string target = AliasTarget(name, families);
        if (!target.empty()) aliases[name] = families[target];
    }
    families.merge(aliases);
    return families;
}

}  // namespace

int EnumFontFamilies(CDC* /*dc*/, const FontEnumProc& proc) {
    if (!proc) return 1;
    int result = 1;
    for (const auto& [name, family] : FamiliesWithAliases()) {
        LOGFONT font;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = ANSI_CHARSET;
        font.lfPitchAndFamily = family.pitch;
        font.lfFaceName = name;
        result = proc(font, family.type);
        if (result == 0) break;
    }
    return result;
}
