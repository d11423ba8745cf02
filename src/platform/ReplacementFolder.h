#pragma once
// A folder of files written as a whole: the files go into a new hidden folder
// beside the target, which takes the target's place in one step when all are
// written. The target holds its old files or all the new ones, never a
// mixture; a run that fails or is ended by a termination signal leaves the
// target as it was and nothing beside it (see TempFileCleanup.h).
//
// Only a folder of earlier files of the same set is replaced: a target that
// is anything but a folder (a link included), or a folder holding anything
// else, is refused and left alone. The new folder keeps the access rights of
// the folder it replaces. Where the system cannot swap two folders in one
// step, the old one is moved aside first, so for a moment the target is
// missing (its old files then lie in a hidden folder beside it).

#include <string>

class CReplacementFolder {
public:
    enum class OpenResult {
        kOpened,
        kNotAFolder,       // the target exists and is no folder
        kHoldsOtherFiles,  // the target holds files the new set does not replace
        kCannotCreate,     // no new folder could be made beside the target
    };
    // Whether a file of the old folder, by its name, belongs to the set.
    using Replaceable = bool (*)(const std::string& name);

    // target: the folder's path (a trailing separator is allowed).
    CReplacementFolder(std::string target, Replaceable replaceable);
    // Removes the new folder and its files unless Commit succeeded.
    ~CReplacementFolder();
    CReplacementFolder(const CReplacementFolder&) = delete;
    CReplacementFolder& operator=(const CReplacementFolder&) = delete;

    // Checks the target and makes the new folder beside it.
    OpenResult Open();
    // The new folder, where the files are written until Commit.
    const std::string& Folder() const { return m_folder; }
    // The target's path without a trailing separator.
    const std::string& Target() const { return m_target; }

    // Puts the new folder in the target's place and removes the old one.
    // False leaves the target as it was.
    bool Commit();

private:
    bool CheckTarget(OpenResult& result);
    bool MakeFolder();
    bool SwapIn();
    void RemoveOld(const std::string& name);
    void Discard();

    std::string m_target;
    std::string m_parent;  // the target's folder ("." when the target has none)
    std::string m_name;    // the target's own name
    Replaceable m_replaceable;
    std::string m_tempName;  // the new folder's name beside the target
    std::string m_folder;    // the new folder's path
    bool m_bReplacing = false;
    unsigned m_nOldMode = 0;
    int m_parentFd = -1;
    int m_slot = -1;  // its slot in the signal clean-up table
};
