#pragma once

#include <string>
#include <vector>

#include "app/Systems.h"
#include "app/WindowHandle.h"

class Session;

// Where a plug-in can be copied: an emulator's folder by its number, or
// the program's own folder of the system (0).
struct CopyDestination {
    std::string caption;
    int number;
};

// What became of a name typed for the command target's file.
enum class RenameVerdict {
    Unchanged,  // the same name: nothing to do
    Refused,    // not a name the file may take (the user was told)
    Declined,   // the user did not confirm it
    Proceed,    // rename() may go ahead with the cleaned name
};
struct RenameCheck {
    RenameVerdict verdict;
    std::string name;
};

// Plug-in files: importing into a system's folder, copying to other
// folders, renaming and deleting the command target. The imports return
// whether anything may have changed in the folder (the lists want a
// rescan then).
class FileCommands {
public:
    explicit FileCommands(Session& session) : session_(session) {}

    // The destinations offered for the plug-ins of a system: the own
    // folder unless it is the one shown, then the system's other emulators.
    std::vector<CopyDestination> copyDestinations(EmuSystem system) const;
    void copy(int destination);
    void copyAll(int destination, EmuSystem system);

    RenameCheck checkRename(const std::string& typed);
    void rename(const std::string& name);
    // Deletes the command target (to the recycle bin unless the option says
    // otherwise); the owner window holds the shell's questions. True when
    // the file is gone.
    bool remove(WindowHandle owner);

    bool importFiles(const std::vector<std::string>& paths, EmuSystem system);
    bool importFolder(const std::string& folder, EmuSystem system);
    bool importZip(const std::string& archive, EmuSystem system);
    // Files and folders dropped on a system's page.
    void drop(const std::vector<std::string>& paths, EmuSystem system);

private:
    std::string destinationFolder(int destination, EmuSystem system);
    bool shellCopy(const std::string& from, const std::string& to, unsigned flags);
    bool copyFolder(const std::string& folder, const std::string& destination);

    Session& session_;
};
