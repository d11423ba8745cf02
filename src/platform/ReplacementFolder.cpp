#include "platform/ReplacementFolder.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/TempFileCleanup.h"
#include "platform/TempName.h"
#include "platform/Utf8Path.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace fs = std::filesystem;

namespace {

constexpr int kTempAttempts = 16;

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) {
        path.pop_back();
    }
    return path;
}

// Every entry a regular file (not a link) that the set replaces.
bool HoldsOnlyReplaceable(const fs::path& folder, CReplacementFolder::Replaceable replaceable) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError) ||
            !replaceable(Utf8FromPath(it->path().filename()))) {
            return false;
        }
    }
    return !error;
}

}  // namespace

CReplacementFolder::CReplacementFolder(std::string target, Replaceable replaceable)
    : m_target(WithoutTrailingSeparators(std::move(target))), m_replaceable(replaceable) {
    const fs::path path = PathFromUtf8(m_target);
    m_name = Utf8FromPath(path.filename());
    m_parent = path.has_parent_path() ? Utf8FromPath(path.parent_path()) : std::string(".");
}

CReplacementFolder::~CReplacementFolder() {
    Discard();
}

CReplacementFolder::OpenResult CReplacementFolder::Open() {
    OpenResult result = OpenResult::kCannotCreate;
    if (!m_folder.empty() || m_name.empty() || m_name == "." || m_name == ".." ||
        !CheckTarget(result)) {
        return result;
    }
    if (!MakeFolder()) {
        Discard();
        return OpenResult::kCannotCreate;
    }
    return OpenResult::kOpened;
}

// Absent, or a folder (not a link to one) of replaceable files only.
bool CReplacementFolder::CheckTarget(OpenResult& result) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(PathFromUtf8(m_target), error);
    if (status.type() == fs::file_type::not_found) {
        m_bReplacing = false;
        return true;
    }
    if (error || status.type() != fs::file_type::directory) {
        result = error ? OpenResult::kCannotCreate : OpenResult::kNotAFolder;
        return false;
    }
    if (!HoldsOnlyReplaceable(PathFromUtf8(m_target), m_replaceable)) {
        result = OpenResult::kHoldsOtherFiles;
        return false;
    }
    m_bReplacing = true;
    m_nOldMode = static_cast<unsigned>(status.permissions() & fs::perms::all);
    return true;
}

void CReplacementFolder::RemoveOld(const std::string& name) {
    const fs::path old = PathFromUtf8(m_parent) / PathFromUtf8(name);
    std::error_code error;
    for (fs::directory_iterator it(old, error), end; !error && it != end; it.increment(error)) {
        std::error_code removeError;
        if (m_replaceable(Utf8FromPath(it->path().filename()))) {
            fs::remove(it->path(), removeError);
        }
    }
    // A file put in since the check keeps the old folder (hidden) for the user.
    fs::remove(old, error);
}

#ifdef _WIN32

// Windows swaps no folders and has no folder handles to flush: the old
// folder is moved aside, the new one in, and the old one removed.
bool CReplacementFolder::MakeFolder() {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        const std::string name = RandomTempName();
        std::error_code error;
        if (fs::create_directory(PathFromUtf8(m_parent) / name, error)) {
            m_tempName = name;
            m_folder = Utf8FromPath(PathFromUtf8(m_parent) / name);
            return true;
        }
    }
    return false;
}

bool CReplacementFolder::SwapIn() {
    std::error_code error;
    const fs::path parent = PathFromUtf8(m_parent);
    const fs::path target = PathFromUtf8(m_target);
    if (!m_bReplacing) {
        fs::rename(parent / m_tempName, target, error);
        return !error;
    }
    const std::string aside = RandomTempName();
    fs::rename(target, parent / aside, error);
    if (error) {
        return false;
    }
    fs::rename(parent / m_tempName, target, error);
    if (error) {
        fs::rename(parent / aside, target, error);
        return false;
    }
    m_tempName.clear();
    RemoveOld(aside);
    return true;
}

bool CReplacementFolder::Commit() {
    if (m_folder.empty() || !SwapIn()) {
        return false;
    }
    m_tempName.clear();
    m_folder.clear();
    return true;
}

void CReplacementFolder::Discard() {
    if (!m_tempName.empty()) {
        std::error_code error;
        fs::remove_all(PathFromUtf8(m_parent) / m_tempName, error);
        m_tempName.clear();
    }
    m_folder.clear();
}

#else

// The name is held for the signal clean-up before the folder exists, so no
// moment is left in which an interrupted run could leave it behind.
bool CReplacementFolder::MakeFolder() {
    m_parentFd = ::open(m_parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_parentFd < 0) {
        return false;
    }
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        const std::string name = RandomTempName();
        const int slot = HoldTempFolder(m_parentFd, name.c_str());
        if (::mkdirat(m_parentFd, name.c_str(), 0777) == 0) {
            m_tempName = name;
            m_slot = slot;
            m_folder = (fs::path(m_parent) / name).string();
            break;
        }
        const int error = errno;
        ReleaseTempFile(slot);
        if (error != EEXIST) {
            return false;
        }
    }
    if (m_tempName.empty()) {
        return false;
    }
    if (m_bReplacing) {
        // Through a handle of the folder just made: no link can be followed.
        const int fd = ::openat(m_parentFd, m_tempName.c_str(),
                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const bool kept = fd >= 0 && ::fchmod(fd, static_cast<mode_t>(m_nOldMode)) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        return kept;
    }
    return true;
}

// One atomic exchange where the file system has it; otherwise the old folder
// goes aside under a held name first.
bool CReplacementFolder::SwapIn() {
    if (!m_bReplacing) {
        return ::renameat(m_parentFd, m_tempName.c_str(), m_parentFd, m_name.c_str()) == 0;
    }
#ifdef RENAME_EXCHANGE
    if (::renameat2(m_parentFd, m_tempName.c_str(), m_parentFd, m_name.c_str(), RENAME_EXCHANGE) ==
        0) {
        // The held name is the old folder's now, so a signal still clears it.
        RemoveOld(m_tempName);
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
#endif
    const std::string aside = RandomTempName();
    const int slot = HoldTempFolder(m_parentFd, aside.c_str());
    if (::renameat(m_parentFd, m_name.c_str(), m_parentFd, aside.c_str()) != 0) {
        ReleaseTempFile(slot);
        return false;
    }
    if (::renameat(m_parentFd, m_tempName.c_str(), m_parentFd, m_name.c_str()) != 0) {
        ::renameat(m_parentFd, aside.c_str(), m_parentFd, m_name.c_str());
        ReleaseTempFile(slot);
        return false;
    }
    RemoveOld(aside);
    ReleaseTempFile(slot);
    return true;
}

bool CReplacementFolder::Commit() {
    if (m_folder.empty()) {
        return false;
    }
    // The files' names reach the disk before the folder takes its place.
    const int fd =
        ::openat(m_parentFd, m_tempName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!flushed || !SwapIn()) {
        return false;
    }
    // In place; a failing flush of the parent cannot undo that.
    ::fsync(m_parentFd);
    m_tempName.clear();
    m_folder.clear();
    Discard();
    return true;
}

void CReplacementFolder::Discard() {
    if (!m_tempName.empty()) {
        std::error_code error;
        fs::remove_all(PathFromUtf8(m_parent) / m_tempName, error);
        m_tempName.clear();
    }
    m_folder.clear();
    ReleaseTempFile(m_slot);
    m_slot = -1;
    if (m_parentFd >= 0) {
        ::close(m_parentFd);
        m_parentFd = -1;
    }
}

#endif
