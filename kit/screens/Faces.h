#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "KitImage.h"
#include "check/KitJob.h"
#include "resources/ScreenLayouts.h"
#include "screens/Icons.h"

// A picture file of the content tree, drawn in memory and then written.
struct KitPicture {
    std::string path;  // relative to the content folder
    KitImage image;
    bool scrambled = false;
};

// One button of a screen: where it sits on its screen's background, its colour and icon.
struct FacePlan {
    std::string upName, downName, offName;  // offName empty: no disabled face
    int x, y, w, h;
    std::uint32_t fill;
    Icon icon;
    bool scrambled = false;
};

// The plan of a picture button of a screen's layout: its faces' names and place from the
// layout, its colour and icon from the kit.
FacePlan PlanOf(const ControlLayout& control, std::uint32_t fill, Icon icon,
                bool scrambled = false);
// The folder of a screen's pictures relative to the content folder, e.g. "bitmaps/quit/".
std::string FolderOf(const ScreenLayout& screen);
// The path of `file` of `screen`'s folder relative to the content folder.
std::string PathOf(const ScreenLayout& screen, const char* file);

// The part of `image` at (x, y, w, h).
KitImage Crop(const KitImage& image, int x, int y, int w, int h);
// A candy button over the background crop `under`: raised when up; shifted, darker and
// inset when down; greyed when `disabled`.
KitImage ButtonFace(const KitImage& under, std::uint32_t fill, Icon icon, bool down,
                    bool disabled = false);
// Adds the up, down (and disabled) faces of every face plan, cut from `background`, to `out`.
void AddFaces(const std::string& folder, const KitImage& background,
              const std::vector<FacePlan>& plans, std::vector<KitPicture>& out);
// A job that writes a picture below `contentDir`.
KitJob WriteJob(const std::string& contentDir, KitPicture picture);
