#include "platform/ReplacementFile.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/TempFileCleanup.h"
#include "platform/TempName.h"

#include "platform/Utf8Path.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

constexpr int kTempAttempts = 16;
#ifdef _WIN32
// What a saved file keeps of the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
#endif

}  // namespace

CReplacementFile::CReplacementFile(std::string target, Temporary kind)
    : m_target(std::move(target)), m_kind(kind) {
    const std::filesystem::path path = PathFromUtf8(m_target);
    m_name = Utf8FromPath(path.filename());
    m_folder = path.has_parent_path() ? Utf8FromPath(path.parent_path()) : std::string(".");
}

CReplacementFile::~CReplacementFile() {
    Discard();
}

#ifdef _WIN32

// Windows has no unnamed files and no folder handles to flush: a named file
// beside the target, written through to the disk, then moved over it.
std::FILE* CReplacementFile::Open() {
    (void)m_kind;
    if (m_file != nullptr || m_name.empty() || m_name == "." || m_name == "..") {
        return nullptr;
    }
    for (int attempt = 0; attempt < kTempAttempts && m_file == nullptr; ++attempt) {
        const std::string name = RandomTempName();
        const HANDLE handle =
            CreateFileW(TempPath(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_EXISTS) {
                break;
            }
            continue;
        }
        m_tempName = name;
        const int fd =
            _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_BINARY | _O_WRONLY);
        m_file = fd < 0 ? nullptr : _fdopen(fd, "wb");
        if (m_file == nullptr) {
            fd < 0 ? CloseHandle(handle) : _close(fd);
            Discard();
            break;
        }
    }
    return m_file;
}

std::filesystem::path CReplacementFile::TempPath(const std::string& name) const {
    return PathFromUtf8(m_folder) / PathFromUtf8(name);
}

// MoveFileExW replaces the target in one step; ReplaceFileW, which would do
// the same, may leave a temporary file of its own beside a target it could
// not replace. The replacement takes the old file's attributes.
bool CReplacementFile::MoveOverTarget() {
    const std::wstring temp = TempPath(m_tempName).native();
    const std::wstring target = PathFromUtf8(m_target).native();
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES) {
        // A read-only file is the user's word that it stays as it is.
        if ((old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
            return false;
        }
        if ((old & kKeptAttributes) != 0) {
            SetFileAttributesW(temp.c_str(), old & kKeptAttributes);
        }
    }
    if (MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        return false;
    }
    m_tempName.clear();
    return true;
}

bool CReplacementFile::Commit() {
    if (m_file == nullptr) {
        return false;
    }
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_file)));
    bool ok = std::fflush(m_file) == 0 && FlushFileBuffers(handle) != 0;
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    ok = ok && MoveOverTarget();
    Discard();
    return ok;
}

void CReplacementFile::Discard() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_tempName.empty()) {
        DeleteFileW(TempPath(m_tempName).c_str());
        m_tempName.clear();
    }
}

#else

namespace {

// Narrowed by the umask, as for any new file.
constexpr mode_t kNewFileMode = 0666;

// Read and write bits as they were, execute bits only where the old file was
// executable; set-user-id, set-group-id and sticky bits never carry over.
mode_t KeptAccessRights(mode_t old) {
    return old & ((old & 0111) != 0 ? 0777 : 0666);
}

}  // namespace

std::FILE* CReplacementFile::Open() {
    if (m_file != nullptr || m_name.empty() || m_name == "." || m_name == "..") {
        return nullptr;
    }
    m_folderFd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd < 0) {
        return nullptr;
    }
    int fd = -1;
#ifdef O_TMPFILE
    // The unnamed file is linked in through /proc at the end, which must be
    // there; file systems without unnamed files refuse it and get a named one.
    if (m_kind == Temporary::kUnnamed && ::access("/proc/self/fd", X_OK) == 0) {
        fd = ::openat(m_folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode);
    }
#endif
    if (fd < 0) {
        fd = CreateNamed();
    }
    if (fd >= 0) {
        m_file = ::fdopen(fd, "wb");
        if (m_file == nullptr) {
            ::close(fd);
        }
    }
    if (m_file == nullptr) {
        Discard();
    }
    return m_file;
}

// The name is held for the signal clean-up before the file exists, so no
// moment is left in which an interrupted save could leave it behind.
int CReplacementFile::CreateNamed() {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        const std::string name = RandomTempName();
        const int slot = HoldTempFile(m_folderFd, name.c_str());
        const int fd = ::openat(m_folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                kNewFileMode);
        const int error = errno;
        if (fd >= 0) {
            m_tempName = name;
            m_slot = slot;
            return fd;
        }
        ReleaseTempFile(slot);
        if (error != EEXIST) {
            break;
        }
    }
    return -1;
}

bool CReplacementFile::LinkUnnamed() {
    char source[64];
    std::snprintf(source, sizeof source, "/proc/self/fd/%d", ::fileno(m_file));
    // A new target gets the file straight under its own name.
    if (::linkat(AT_FDCWD, source, m_folderFd, m_name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    if (errno != EEXIST) {
        return false;
    }
    // An existing one is replaced by a rename, which is atomic; the name the
    // file has in between is held for the signal clean-up.
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        const std::string name = RandomTempName();
        const int slot = HoldTempFile(m_folderFd, name.c_str());
        if (::linkat(AT_FDCWD, source, m_folderFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_tempName = name;
            m_slot = slot;
            return MoveOverTarget();
        }
        const int error = errno;
        ReleaseTempFile(slot);
        if (error != EEXIST) {
            break;
        }
    }
    return false;
}

bool CReplacementFile::MoveOverTarget() {
    if (::renameat(m_folderFd, m_tempName.c_str(), m_folderFd, m_name.c_str()) != 0) {
        return false;
    }
    m_tempName.clear();
    ReleaseTempFile(m_slot);
    m_slot = -1;
    return true;
}

bool CReplacementFile::Commit() {
    if (m_file == nullptr) {
        return false;
    }
    const int fd = ::fileno(m_file);
    // The bytes reach the disk before the name does, so after a power cut the
    // target is either the old file or the whole new one.
    if (std::fflush(m_file) != 0 || ::fsync(fd) != 0) {
        Discard();
        return false;
    }
    // The replacement keeps the access rights of the regular file it
    // replaces; a link is not followed (see the header).
    struct stat old {};
    if (::fstatat(m_folderFd, m_name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(old.st_mode)) {
        ::fchmod(fd, KeptAccessRights(old.st_mode));
    }
    const bool placed = m_tempName.empty() ? LinkUnnamed() : MoveOverTarget();
    if (placed) {
        // The new name is in place; a failing flush of the folder cannot undo
        // that, so it is not reported.
        ::fsync(m_folderFd);
    }
    Discard();
    return placed;
}

void CReplacementFile::Discard() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_tempName.empty()) {
        ::unlinkat(m_folderFd, m_tempName.c_str(), 0);
        m_tempName.clear();
    }
    ReleaseTempFile(m_slot);
    m_slot = -1;
    if (m_folderFd >= 0) {
        ::close(m_folderFd);
        m_folderFd = -1;
    }
}

#endif
