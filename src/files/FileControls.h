#pragma once

#include <string>

#include "files/BoardDirectory.h"

namespace quillet {

// The main window's file list and its linked file-name box, as saving and
// loading see them.
class FileControls {
public:
    virtual ~FileControls() = default;
    // The file-name box's text, UTF-8.
    virtual std::string FileNameText() const = 0;
    // The file list's mask, "*.cgd".
    virtual std::string ListMask() const = 0;
    // The directory the list shows (bytes): names without a directory refer
    // to it, whatever the process's current directory is.
    virtual std::string ListDirectory() const = 0;
    // Reads the file list's directory again, so that a new file shows.
    virtual void RereadList() = 0;
    virtual void SetFileNameText(const std::string& text) = 0;
    // The list's names as last read, if the list keeps them: they spare a
    // look through a large directory when a name's letter case is matched.
    virtual const DirectoryListing* Listing() const { return nullptr; }
};

}  // namespace quillet
