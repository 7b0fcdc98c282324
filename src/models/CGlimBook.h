#pragma once
#include <array>
#include <memory>
#include <string>

#include "imaging/CDib.h"
#include "models/CGlimImage.h"
#include "models/CSlideScript.h"
#include "platform/base/CObject.h"

// A story book: up to 21 scenes with one current, the binder pictures shown on the
// scrapbook screen, the ready-made slides folder and an optional slide script.
class CGlimBook : public CObject {
  public:
    static constexpr int kMaxImages = 21;

    CGlimBook() = default;
    CGlimBook(const CGlimBook&) = delete;
    CGlimBook& operator=(const CGlimBook&) = delete;

    // Reads the book's description; false (book left empty) when it cannot be read.
    bool Load(const std::string& folder, const std::string& descriptionFile);

    CGlimImage* GetCurrentImage();
    CGlimImage* GetImage(int index);
    int GetCurrentIndex() const { return m_currentImage; }
    int GetImageCount() const { return m_imageCount; }
    const std::string& GetBookName() const { return m_bookName; }
    const std::string& GetBookFolder() const { return m_bookFolder; }

    // Each returns the previously current index (-1 and no change when refused). The scene
    // left behind releases its layers and sounds and is no longer shown.
    int SelectImage(int index);
    int SelectImageByPtr(CGlimImage* image);
    int SelectPrevious();
    int SelectNext();
    int FindImageByName(const std::string& name) const;

    // Loaded on first request; none without a file name, an empty picture when unreadable.
    CDib* GetBinderPicture();
    CDib* GetBinderHighlightPicture();

    bool HasSlides() const { return !m_slidesFolder.empty(); }
    bool HasScript() const { return m_script != nullptr; }
    std::string GetSlidePath(int slide, bool useScript) const;
    bool SetSlide(int slide, const std::string& fileName);
    bool ResetSlideIfShows(int slide, const std::string& fileName);

  private:
    struct Binder {
        std::string file;
        CDib picture;
        bool tried = false;
    };

    static int SceneCount(const std::string& value, const std::string& path);
    void Reset();
    CDib* BinderPicture(Binder& binder);
    int Switch(int index);

    std::array<CGlimImage, kMaxImages> m_images;
    int m_imageCount = 0;
    int m_currentImage = -1;
    std::string m_bookFolder;
    std::string m_bookName;
    Binder m_binder;
    Binder m_binderHighlight;
    std::string m_slidesFolder;
    std::string m_scriptFile;
    std::unique_ptr<CSlideScript> m_script;
};
