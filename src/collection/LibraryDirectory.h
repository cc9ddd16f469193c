#pragma once

#include <string>

// One music directory of the collection: its path exactly as the user gave it (or as the
// collection file holds it) and the flag that picks its key in the collection file.
class LibraryDirectory {
  public:
    // Flag 0 is written as "dir", any other value as "xdir".
    LibraryDirectory(std::string path, int flag);

    // The path as stored: never normalised, compared byte for byte.
    const std::string& GetName() const { return name_; }
    int GetFlag() const { return flag_; }

  private:
    std::string name_;
    int flag_;
};
