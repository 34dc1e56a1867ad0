// Writing a file the user owns without ever leaving it half-written: the data
// goes to a temporary file in the same folder, which is renamed over the
// target only once everything was written and flushed to disk.
#pragma once

#include <cstdio>
#include <string>

// Opens path for binary reading only when it names a regular file: a pipe,
// folder or device is refused (nullptr) without blocking on it.
std::FILE* OpenRegularFileForReading(const char* path);

// Syncs the folder that holds path, so that a rename in it is on disk;
// false when the folder cannot be opened or synced.
bool SyncFolderOf(const char* path);

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter(); // abandons an uncommitted file
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file beside path; false when it cannot be made
    // (missing folder, no permission, path names a folder).
    bool Open(const char* path);
    std::FILE* File() const { return m_file; }
    // Flushes, syncs and renames over the target, then syncs its folder;
    // false (and the target untouched) when any write failed.
    bool Commit();
    // Removes the temporary file.
    void Abandon();

private:
    std::FILE* m_file = nullptr;
    std::string m_target;
    std::string m_temp;
};
