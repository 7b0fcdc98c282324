#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "KitGreyImage.h"
#include "KitImage.h"
#include "render/RenderedScene.h"
#include "render/Scene.h"
#include "resources/ContentPaths.h"
#include "story/BookPlan.h"

// Writes a story book into a content tree, and once per tree the files its books share:
//   books/FOLDER/FOLDER.txt               the book description
//   books/FOLDER/SCENE/                   the layers of each scene, sounds in sounds/
//   books/FOLDER/slides/00.vkb ...        ready-made coloured slides
//   books/FOLDER/script.txt               the slide script, "def" for every scene
//   books/FOLDER/binder.bmp, binderhi.bmp the book's spine, plain and highlighted
// and, once per tree (WriteTreeFiles):
//   books/books.txt                       the catalogue (the books, then the scrapbook)
//   books/scrapbook/scrapbook.txt         the empty scrapbook's index
//   books/scribble/scribble.txt           the scribble pad: one blank page
class StoryGenerator {
  public:
    static constexpr int kWidth = 398;
    static constexpr int kHeight = 264;
    static constexpr int kThumbWidth = 199;
    static constexpr int kThumbHeight = 132;

    // The layers of one rendered scene.
    struct Layers {
        KitImage shading, mapping, uncoloured, print, thumbnail;
        KitGreyImage footprint;
    };

    explicit StoryGenerator(std::string contentDir) : m_contentDir(std::move(contentDir)) {}

    // Reads the book and its scenes from the kit's book folder.
    bool LoadBook(const std::string& bookFile, std::string& error);
    // Renders every scene (timed); then WriteAll writes every file of the book.
    void RenderAll();
    bool WriteAll(std::string& error);
    double RenderSeconds() const { return m_renderSeconds; }
    // Processor time the rendering took, all threads together.
    double RenderCpuSeconds() const { return m_renderCpuSeconds; }

    const BookPlan& Book() const { return m_book; }
    const std::vector<Scene>& Scenes() const { return m_scenes; }
    const std::vector<Layers>& SceneLayers() const { return m_layers; }

    // The book description text (CR LF lines, one block per scene).
    static std::string DescriptionText(const BookPlan& book, const std::vector<Scene>& scenes);
    // The wave file an object's sound is written to ("" without a sound).
    static std::string SoundFile(const SceneObjectInfo& info);
    // Builds a scene's layers from its render.
    static Layers MakeLayers(const RenderedScene& render);
    // The scene coloured with the kit's own crayons, each object by its name.
    static KitImage ColourScene(const Scene& scene, const Layers& layers);
    // The blank scribble page.
    static Layers BlankPage();
    // The files every tree has once: the catalogue naming `bookFolders` in that order, the
    // empty scrapbook and the scribble pad.
    static bool WriteTreeFiles(const std::string& contentDir,
                               const std::vector<std::string>& bookFolders, std::string& error);

  private:
    bool WriteScene(std::size_t index, std::string& error) const;
    bool WriteBookFiles(std::string& error) const;
    bool WriteBinders() const;
    static bool WriteScribblePad(const std::string& pad, std::string& error);
    static std::string BooksDirOf(const std::string& contentDir) {
        const std::string_view books = ContentPaths::InTree(ContentPaths::kBooks);
        return contentDir + "/" + std::string(books.substr(0, books.size() - 1));
    }
    std::string BooksDir() const { return BooksDirOf(m_contentDir); }
    std::string BookDir() const { return BooksDir() + "/" + m_book.folder; }

    std::string m_contentDir;
    BookPlan m_book;
    std::vector<Scene> m_scenes;
    std::vector<Layers> m_layers;
    double m_renderSeconds = 0.0;
    double m_renderCpuSeconds = 0.0;
};
