#include "models/CGlimImage.h"

#include <algorithm>

#include "models/CDescParser.h"
#include "models/RowFill.h"

namespace {

std::string FolderWithSlash(std::string folder) {
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

void CGlimImage::AllowVectorUnit(bool allowed) {
    RowFill::AllowVectorUnit(allowed);
}

bool CGlimImage::LoadFromDescription(const std::string& block, const std::string& depthPrefix,
                                     const std::string& bookFolder) {
    ReleaseAll();
    m_painter.History().Forget();
    m_sounds.Clear();
    m_painter.ForgetChanges();
    m_shown = false;
    const CDescParser parser;
    auto value = [&](const char* key) {
        int next = 0;
        std::string prefix = depthPrefix;
        return parser.GetValue(block, key, 0, next, prefix);
    };
    CPictureLayers::Files files;
    files.folder = FolderWithSlash(FolderWithSlash(bookFolder) + value("imagefolder"));
    files.shading = value("lt");
    files.mapping = value("mg");
    files.footprint = value("fp");
    files.uncoloured = value("ou");
    files.thumbnail = value("tn");
    files.print = value("pr");
    m_layers.SetFiles(files);
    m_imageName = value("imagename");
    const std::string soundsFolder = files.folder + "sounds/";
    int next = 0;
    std::string soundPrefix = depthPrefix;
    const std::string soundBlock = parser.GetValue(block, "sound", 0, next, soundPrefix);
    if (!soundBlock.empty()) m_sounds.LoadObjectSounds(soundBlock, soundPrefix, soundsFolder);
    const std::string voiceOver = value("vo");
    if (!voiceOver.empty()) m_sounds.SetVoiceOverFile(soundsFolder + voiceOver);
    m_caption = value("caption");
    return true;
}

bool CGlimImage::SetSavedFiles(const std::string& picturePath, const std::string& thumbnailPath) {
    m_painter.History().LetGo();
    m_layers.SetSavedFiles(picturePath, thumbnailPath);
    return true;
}

bool CGlimImage::ForgetSavedFiles() {
    m_painter.History().LetGo();
    m_layers.ForgetSavedFiles();
    return true;
}

bool CGlimImage::ReleaseAll() {
    if (!m_sounds.Release()) return false;
    m_painter.History().LetGo();
    m_layers.Release();
    m_painter.Release();
    return true;
}

bool CGlimImage::ReleasePrintPicture() {
    m_layers.ReleasePrint();
    return true;
}

bool CGlimImage::HoldsResources() const {
    return m_layers.HoldsResources() || m_painter.HoldsResources() || m_sounds.HoldsResources();
}
