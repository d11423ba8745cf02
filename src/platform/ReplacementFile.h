#pragma once
// A file written beside its target and moved over it only when complete: the
// target holds either its old bytes or the whole new file, also across a crash
// or a power cut, and an interrupted save leaves nothing behind.
//
// A target that is a symbolic link is replaced, link and all, as a rename
// replaces it: a save never writes through a link, so a link planted in a
// shared folder cannot send it over a file elsewhere, and the file the link
// named is left as it was. The new file keeps the access rights of a regular
// file it replaces (without set-id bits); in place of anything else it gets
// those of any new file.
//
// Where the system allows (Linux), the new file has no name until it is
// complete; otherwise it is a hidden file of at most 24 bytes, so the
// temporary name fits any folder the target's own name fits, and termination
// signals remove it (see TempFileCleanup.h).

#include <cstdio>
#include <filesystem>
#include <string>

class CReplacementFile {
public:
    enum class Temporary {
        kUnnamed,  // an unnamed file when the system has them, else a named one
        kNamed,    // always a named file
    };

    explicit CReplacementFile(std::string target, Temporary kind = Temporary::kUnnamed);
    // Removes the temporary file unless Commit succeeded.
    ~CReplacementFile();
    CReplacementFile(const CReplacementFile&) = delete;
    CReplacementFile& operator=(const CReplacementFile&) = delete;

    // Creates the temporary file in the target's folder; nullptr on failure.
    // The file belongs to this object.
    std::FILE* Open();

    // Flushes the file to the disk, gives it the access rights of the regular
    // file it replaces, moves it over the target and flushes the folder. False
    // leaves the target as it was.
    bool Commit();

private:
    int CreateNamed();
    bool LinkUnnamed();
    bool MoveOverTarget();
    void Discard();
#ifdef _WIN32
    std::filesystem::path TempPath(const std::string& name) const;
#endif

    std::string m_target;
    Temporary m_kind;
    std::FILE* m_file = nullptr;
    std::string m_folder;    // the target's folder ("." when the target has none)
    std::string m_name;      // the target's own name
    std::string m_tempName;  // the temporary file's name in the folder, once it has one
    int m_folderFd = -1;
    int m_slot = -1;  // its slot in the signal clean-up table
};
