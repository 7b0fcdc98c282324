#pragma once

// What the child is told when a picture cannot go into the scrapbook, as picture messages:
// a failed write is told only the first time; the full scrapbook every time it stands in
// the way.
class CKeepNotices {
  public:
    // Asks the child to throw a picture away to make room.
    void AskForRoom();
    // Tells the child a picture could not be saved; false when that was told already.
    bool TellNotSaved();

  private:
    bool m_toldNotSaved = false;
};
