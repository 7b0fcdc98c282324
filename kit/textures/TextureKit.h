#pragma once
#include <string>
#include <vector>

#include "KitImage.h"
#include "check/KitJob.h"

// The patterned textures: tileable 64 x 64 swatches (the pattern repeats seamlessly when
// laid along a surface), with their colour-strip and texture-button pictures.
const std::vector<std::string>& TextureNames();
// The swatch of a named texture; an empty image for an unknown name.
KitImage TextureSwatch(const std::string& name);
// The swatch tiled at half size into a picture of w x h.
KitImage TextureTiled(const KitImage& swatch, int w, int h);
// "Textures/textures.txt" with CR LF lines and one block per texture.
std::string TextureCatalogue();
void AddTextureJobs(const std::string& contentDir, std::vector<KitJob>& jobs);
