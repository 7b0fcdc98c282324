#pragma once
#include <string>
#include <vector>

#include "models/CPictureSlot.h"

// Pictures that could not go into the scrapbook (it was full, or writing it failed), each
// kept in a slot folder of its own inside one folder of the user's, until the scrapbook
// has room for them again.
class CSetAsidePictures {
  public:
    explicit CSetAsidePictures(std::string folder = "");
    void SetFolder(std::string folder);

    // Finds the pictures set aside; slots without a canvas are left out.
    void Load();
    int GetCount() const { return static_cast<int>(m_slots.size()); }
    // Picture `index`'s label and canvas file; false outside the list.
    bool Get(int index, CPictureSlot::Label& label, std::string& canvasPath) const;
    // Moves the picture held by `slot` in here as a new set-aside picture; false (the slot
    // untouched) when it holds none or the move fails.
    bool Take(CPictureSlot& slot);
    // Removes picture `index` from disk and from the list.
    void Remove(int index);

  private:
    std::string NewSlotFolder() const;

    std::string m_folder;
    std::vector<CPictureSlot> m_slots;
};
