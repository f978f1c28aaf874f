// An output file that appears whole or not at all: it is written under a
// temporary name in the target's folder and renamed over the target only when
// complete, so a failed or interrupted run never leaves half a file behind.
#ifndef QUORVANE_HOST_FILES_ATOMIC_OUTPUT_FILE_H
#define QUORVANE_HOST_FILES_ATOMIC_OUTPUT_FILE_H

#include <cstdio>
#include <string>

namespace host {

class AtomicOutputFile {
public:
    AtomicOutputFile() = default;
    ~AtomicOutputFile();  // abandons the file unless committed
    AtomicOutputFile(const AtomicOutputFile &) = delete;
    AtomicOutputFile &operator=(const AtomicOutputFile &) = delete;

    // Creates the temporary file; false with a message naming the target.
    bool Open(const std::string &path, std::string *error);
    bool IsOpen() const { return file_ != nullptr; }
    void Write(const std::string &text);
    // Flushes, closes and renames over the target; false with a message when
    // any write failed or the rename did, and then nothing is left behind.
    bool Commit(std::string *error);
    // Removes the temporary file; the target stays as it was.
    void Abandon();
    const std::string &Path() const { return path_; }

private:
    std::string path_, temporary_;
    std::FILE *file_ = nullptr;
    int writeError_ = 0;  // errno of the first failed write
};

// Writes a whole text to a file through a temporary name.
bool WriteFileAtomically(const std::string &path, const std::string &content, std::string *error);

// True when a file could be written at path now (its folder exists and lets
// us create files there); false with the reason otherwise. Leaves nothing.
bool CheckWritable(const std::string &path, std::string *error);

}  // namespace host

#endif
