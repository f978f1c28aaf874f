// What a FILEHANDLE points at in this host. Every file object the host hands to
// a module carries its kind, so a handle passed to the wrong function is
// refused instead of misread.
#ifndef QUORVANE_HOST_WORLD_HOST_FILE_H
#define QUORVANE_HOST_WORLD_HOST_FILE_H

#include <string>

namespace host {

class HostFile {
public:
    enum class Kind { Config, ScenarioRead, ScenarioWrite };

    HostFile(Kind kind, std::string path) : kind_(kind), path_(std::move(path)) {}
    virtual ~HostFile() = default;
    HostFile(const HostFile &) = default;
    HostFile &operator=(const HostFile &) = default;

    Kind FileKind() const { return kind_; }
    const std::string &Path() const { return path_; }

    // The object behind a handle when it is of the wanted kind, else null.
    template <typename T>
    static T *As(void *handle) {
        HostFile *f = static_cast<HostFile *>(handle);
        return (f != nullptr && f->kind_ == T::kKind) ? static_cast<T *>(f) : nullptr;
    }

private:
    Kind kind_;
    std::string path_;
};

}  // namespace host

#endif
