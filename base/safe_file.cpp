#include "base/safe_file.h"

#include <cerrno>
#include <string>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* OpenRegularFileForReading(const char* path) {
    // Non-blocking, so that opening a FIFO with no writer returns at once.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags != -1)
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = fdopen(fd, "rb");
    if (!file)
        close(fd);
    return file;
}

SafeFileWriter::~SafeFileWriter() {
    Abandon();
}

bool SafeFileWriter::Open(const char* path) {
    Abandon();
    struct stat st {};
    if (stat(path, &st) == 0 && !S_ISREG(st.st_mode))
        return false;
    m_target = path;
    std::string pattern = m_target + ".XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0)
        return false;
    // Keep the permissions of a file being replaced; new files get the usual ones.
    mode_t mode = 0666;
    if (stat(path, &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    fchmod(fd, mode);
    m_file = fdopen(fd, "wb");
    if (!m_file) {
        close(fd);
        unlink(pattern.c_str());
        return false;
    }
    m_temp = pattern;
    return true;
}

bool SyncFolderOf(const char* path) {
    std::string folder = path ? path : "";
    const std::size_t slash = folder.find_last_of('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

bool SafeFileWriter::Commit() {
    if (!m_file)
        return false;
    bool ok = std::fflush(m_file) == 0 && !std::ferror(m_file);
    ok = ok && fsync(fileno(m_file)) == 0;
    ok = (std::fclose(m_file) == 0) && ok;
    m_file = nullptr;
    if (ok && std::rename(m_temp.c_str(), m_target.c_str()) == 0) {
        m_temp.clear();
        // The rename itself reaches the disk: a power loss cannot bring the
        // old file back once this says saved.
        SyncFolderOf(m_target.c_str());
        return true;
    }
    unlink(m_temp.c_str());
    m_temp.clear();
    return false;
}

void SafeFileWriter::Abandon() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temp.empty()) {
        unlink(m_temp.c_str());
        m_temp.clear();
    }
}
