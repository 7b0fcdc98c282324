#include "models/CGlimBook.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "models/CContentText.h"
#include "models/CDescParser.h"
#include "platform/files/CContentReport.h"
#include "platform/files/CFile.h"
#include "resources/ContentPaths.h"

namespace {

std::string FolderWithSlash(std::string folder) {
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// A scene count as written: digits with an optional sign and nothing else.
bool IsWholeNumber(const std::string& text) {
    const std::size_t digits = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    return text.size() > digits && std::all_of(text.begin() + static_cast<long>(digits), text.end(),
                                               [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

// How many scenes the description declares, 0..kMaxImages; a count that is missing, not a
// number or out of range is reported and replaced by the nearest one the book can hold.
int CGlimBook::SceneCount(const std::string& value, const std::string& path) {
    if (value.empty()) {
        CContentReport::Report(path,
                               "has no NumImages line, so the book has no scenes; add "
                               "NumImages= with the number of scenes.");
        return 0;
    }
    if (!IsWholeNumber(value) || value.size() > 9) {
        CContentReport::Report(path,
                               "NumImages is not a number, so the book has no scenes; "
                               "write the number of scenes in digits.");
        return 0;
    }
    const int declared = std::atoi(value.c_str());
    if (declared < 0)
        CContentReport::Report(path,
                               "NumImages is negative, so the book has no scenes; write "
                               "the number of scenes, 0 to 21.");
    if (declared > kMaxImages)
        CContentReport::Report(path,
                               "NumImages is more than 21; only the first 21 scenes are "
                               "shown.");
    return std::clamp(declared, 0, kMaxImages);
}

void CGlimBook::Reset() {
    SelectImage(-1);
    m_imageCount = 0;
    m_currentImage = -1;
    m_bookFolder.clear();
    m_bookName.clear();
    m_binder = {};
    m_binderHighlight = {};
    m_slidesFolder.clear();
    m_scriptFile.clear();
    m_script.reset();
}

bool CGlimBook::Load(const std::string& folder, const std::string& descriptionFile) {
    Reset();
    m_bookFolder = FolderWithSlash(folder);
    const std::string path = m_bookFolder + descriptionFile;
    std::string text;
    if (!CContentText::Read(path, text)) {
        CContentReport::Report(path,
                               "cannot be read, so the book is left empty; check that "
                               "the file exists and that the program may read it.");
        return false;
    }
    const CDescParser parser;
    int next = 0;
    auto value = [&](const char* key) {
        std::string prefix;
        return parser.GetValue(text, key, 0, next, prefix);
    };
    m_bookName = value("bookname");
    m_binder.file = value("binder");
    m_binderHighlight.file = value("binderhighlight");
    const std::string slides = value("slides");
    if (!slides.empty()) m_slidesFolder = m_bookFolder + slides;
    const std::string script = value("script");
    if (!script.empty()) {
        m_scriptFile = ContentPaths::kBooks + script;
        m_script = std::make_unique<CSlideScript>();
        if (!m_script->Load(m_scriptFile)) m_script.reset();
    }
    const int count = SceneCount(value("NumImages"), path);
    int position = next;
    bool gapReported = false;  // one report for the first scene without a block
    for (int i = 0; i < count; ++i) {
        std::string prefix;
        const std::string block = parser.GetNumberedBlock(text, i, position, prefix);
        if (prefix.empty() && !gapReported) {
            gapReported = true;
            CContentReport::Report(path, "scene " + std::to_string(i) +
                                             " has no block of its own after the one before "
                                             "it, so it stays blank; write " +
                                             std::to_string(i) +
                                             "= and its lines after the previous scene.");
        }
        m_images[m_imageCount++].LoadFromDescription(block, prefix, m_bookFolder);
    }
    return true;
}

CGlimImage* CGlimBook::GetCurrentImage() {
    return GetImage(m_currentImage);
}

CGlimImage* CGlimBook::GetImage(int index) {
    return index >= 0 && index < m_imageCount ? &m_images[index] : nullptr;
}

// Releases the current scene, takes it off the screen and makes `index` current.
int CGlimBook::Switch(int index) {
    const int previous = m_currentImage;
    if (CGlimImage* current = GetCurrentImage()) {
        current->ReleaseAll();
        current->SetShown(false);
    }
    m_currentImage = index;
    return previous;
}

int CGlimBook::SelectImage(int index) {
    if (index >= m_imageCount || index < -1) return -1;
    return Switch(index);
}

int CGlimBook::SelectImageByPtr(CGlimImage* image) {
    for (int i = 0; i < m_imageCount; ++i) {
        if (&m_images[i] != image) continue;
        SelectImage(i);
        return i;
    }
    return -1;
}

int CGlimBook::SelectPrevious() {
    if (m_currentImage < 0 || m_imageCount == 0) return -1;
    return Switch(m_currentImage == 0 ? m_imageCount - 1 : m_currentImage - 1);
}

int CGlimBook::SelectNext() {
    if (m_currentImage < 0 || m_imageCount == 0) return -1;
    return Switch(m_currentImage + 1 >= m_imageCount ? 0 : m_currentImage + 1);
}

int CGlimBook::FindImageByName(const std::string& name) const {
    for (int i = 0; i < m_imageCount; ++i)
        if (m_images[i].GetImageName() == name) return i;
    return -1;
}

CDib* CGlimBook::BinderPicture(Binder& binder) {
    if (binder.file.empty()) return nullptr;
    if (!binder.tried) {
        binder.tried = true;
        binder.picture.Load(m_bookFolder + binder.file);
    }
    return &binder.picture;
}

CDib* CGlimBook::GetBinderPicture() {
    return BinderPicture(m_binder);
}

CDib* CGlimBook::GetBinderHighlightPicture() {
    return BinderPicture(m_binderHighlight);
}

std::string CGlimBook::GetSlidePath(int slide, bool useScript) const {
    if (m_slidesFolder.empty() || slide < 0 || slide >= m_imageCount) return "";
    const std::string name = useScript && m_script ? m_script->GetEntry(slide) : "def";
    if (name != "def") return name;
    char number[16];
    std::snprintf(number, sizeof number, "%02d.vkb", slide);
    const std::string folder = m_slidesFolder.back() == '/' ? m_slidesFolder : m_slidesFolder + "/";
    return folder + number;
}

bool CGlimBook::SetSlide(int slide, const std::string& fileName) {
    return m_script != nullptr && m_script->SetEntry(slide, fileName);
}

bool CGlimBook::ResetSlideIfShows(int slide, const std::string& fileName) {
    if (m_script == nullptr) return false;
    if (!fileName.empty() && fileName != GetSlidePath(slide, true)) return false;
    return m_script->SetEntry(slide, "def");
}
