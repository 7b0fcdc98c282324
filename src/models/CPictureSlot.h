#pragma once
#include <string>

class CDib;

// A folder holding one coloured picture that is not (or not yet) safe in the scrapbook: its
// canvas and a label naming the book, the scene and the scrapbook entry it belongs to. The
// canvas is written first, under a new name each time, and the label last, pointing at it;
// both are replaced atomically, so whenever the program stops the label names a complete
// canvas (the one before, or the new one). A label may also name no canvas: it then only
// says which scene was current.
class CPictureSlot {
  public:
    struct Label {
        std::string book;
        std::string scene;
        std::string entry;  // the scrapbook entry's name, empty when it has none yet
    };

    explicit CPictureSlot(std::string folder = "");

    void SetFolder(std::string folder);
    const std::string& GetFolder() const { return m_folder; }

    // Writes `canvas` and `label`; false (the slot as it was) when a file cannot be written.
    bool Write(const CDib& canvas, const Label& label);
    // Writes `label` alone; a canvas held before is dropped once the label is written.
    bool WriteLabel(const Label& label);
    // Reads the label; false when there is none. `canvasPath` gets the canvas it names, or
    // stays empty when it names none or the canvas is missing.
    bool Read(Label& label, std::string& canvasPath) const;
    // Whether the label names a canvas that exists.
    bool HoldsCanvas() const;
    // Removes the label and every canvas of the folder, then the folder when it is empty.
    void Clear();
    // Moves the whole folder to `folder` (which must not exist) in one rename.
    bool MoveTo(const std::string& folder);

  private:
    bool WriteLabelFile(const Label& label, const std::string& canvasName);
    std::string LabelPath() const { return m_folder + "picture.txt"; }
    std::string CanvasName(unsigned serial) const;
    // The canvas named by the label on disk (empty for none) and its serial number.
    std::string CurrentCanvasName(unsigned& serial) const;
    void RemoveCanvasesExcept(const std::string& kept) const;

    std::string m_folder;
};
