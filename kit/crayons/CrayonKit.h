#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "check/KitJob.h"
#include "screens/Faces.h"

struct CrayonColour {
    std::string name;  // said aloud, and the file stem
    std::uint32_t rgb;
};

struct CrayonBoxPlan {
    std::string folder;  // below "Crayons/"
    std::uint32_t boxColour;
    std::vector<CrayonColour> crayons;
};

// The boxes the kit ships: everyday colours, bright colours, skin and nature tones.
const std::vector<CrayonBoxPlan>& CrayonBoxes();
// Box image (360 x 89, the crayon area), selector face, swatch and colour-strip picture.
KitImage CrayonBoxImage(const CrayonBoxPlan& box);
KitImage CrayonBoxButton(const CrayonBoxPlan& box);
KitImage CrayonSelected(std::uint32_t rgb);
// The file stem of a crayon's pictures and sound: its name in lower case without blanks.
std::string CrayonStem(const std::string& name);
// The hit rectangle of crayon i as x, y, w, h in box-image coordinates.
void CrayonRect(const CrayonBoxPlan& box, int i, int& x, int& y, int& w, int& h);
// "Crayons/crayons.txt" with CR LF lines and nested blocks.
std::string CrayonCatalogue();
// Jobs writing the catalogue, every picture and every crayon's spoken name.
void AddCrayonJobs(const std::string& contentDir, std::vector<KitJob>& jobs);
