#include "atomic_output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace host {

namespace {

std::string Reason(int err) { return std::strerror(err); }

// A name beside the target that no other writer in this or another process uses.
std::string TemporaryName(const std::string &path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

AtomicOutputFile::~AtomicOutputFile() { Abandon(); }

bool AtomicOutputFile::Open(const std::string &path, std::string *error) {
    Abandon();
    auto fail = [&](const std::string &why) {
        if (error != nullptr) *error = "cannot write " + path + ": " + why;
        return false;
    };
    if (path.empty()) return fail("no file name");
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return fail("it is a folder");
    const std::string temporary = TemporaryName(path);
    // Created new, with the permissions the user's umask allows for a file.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return fail(Reason(errno));
    std::FILE *f = ::fdopen(fd, "wb");
    if (f == nullptr) {
        const int err = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return fail(Reason(err));
    }
    path_ = path;
    temporary_ = temporary;
    file_ = f;
    writeError_ = 0;
    return true;
}

void AtomicOutputFile::Write(const std::string &text) {
    if (file_ == nullptr || writeError_ != 0 || text.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) writeError_ = errno != 0 ? errno : EIO;
}

bool AtomicOutputFile::Commit(std::string *error) {
    if (file_ == nullptr) {
        if (error != nullptr) *error = "cannot write " + path_ + ": the file was not opened";
        return false;
    }
    int err = writeError_;
    if (err == 0 && std::fflush(file_) != 0) err = errno != 0 ? errno : EIO;
    if (std::fclose(file_) != 0 && err == 0) err = errno;
    file_ = nullptr;
    if (err == 0 && std::rename(temporary_.c_str(), path_.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        if (error != nullptr) *error = "cannot write " + path_ + ": " + Reason(err);
        return false;
    }
    temporary_.clear();
    return true;
}

void AtomicOutputFile::Abandon() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool WriteFileAtomically(const std::string &path, const std::string &content, std::string *error) {
    AtomicOutputFile out;
    if (!out.Open(path, error)) return false;
    out.Write(content);
    return out.Commit(error);
}

bool CheckWritable(const std::string &path, std::string *error) {
    AtomicOutputFile probe;
    return probe.Open(path, error);  // the destructor removes the probe
}

}  // namespace host
