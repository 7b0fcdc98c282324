// The font families the system offers for printing.
#include <gtest/gtest.h>
#include <strings.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/print/FontFamilies.h"

namespace {

struct Reported {
    std::string name;
    DWORD type;
};

std::vector<Reported> AllFamilies() {
    std::vector<Reported> all;
    EnumFontFamilies(nullptr, [&](const LOGFONT& font, DWORD type) {
        all.push_back({font.lfFaceName, type});
        return 1;
    });
    return all;
}

bool FontconfigHas(const std::string& family) {
    const std::string command = "fc-list : family | tr ',' '\\n' | grep -qx '" + family + "'";
    return std::system(command.c_str()) == 0;
}

TEST(FontFamilies, MetricCompatibleFamiliesAnswerToTheWindowsName) {
    if (!FontconfigHas("Liberation Sans")) GTEST_SKIP() << "fonts-liberation is not installed";
    const std::vector<Reported> all = AllFamilies();
    bool arial = false;
    bool liberation = false;
    for (const Reported& family : all) {
        if (family.name == "Arial") arial = family.type == TRUETYPE_FONTTYPE;
        if (family.name == "Liberation Sans") liberation = family.type == TRUETYPE_FONTTYPE;
    }
    EXPECT_TRUE(arial);
    EXPECT_TRUE(liberation);
}

TEST(FontFamilies, EachFamilyOnceInOrderAndOnlyWhenItExists) {
    const std::vector<Reported> all = AllFamilies();
    ASSERT_FALSE(all.empty());
    std::set<std::string> seen;
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_TRUE(seen.insert(all[i].name).second) << all[i].name;
        if (i > 0) {
            EXPECT_LE(strcasecmp(all[i - 1].name.c_str(), all[i].name.c_str()), 0);
        }
    }
    // A Windows face fontconfig cannot stand in for by metrics is not claimed.
    if (!FontconfigHas("Comic Sans MS")) {
        EXPECT_EQ(seen.count("Comic Sans MS"), 0u);
    }
}

TEST(FontFamilies, TheCallbackStopsTheEnumeration) {
    int calls = 0;
    const int result = EnumFontFamilies(nullptr, [&](const LOGFONT&, DWORD) {
        ++calls;
        return calls == 2 ? 0 : 1;
    });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(result, 0);
}

}  // namespace
