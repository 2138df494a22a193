#include "kit/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace kit {

std::string systemReason(int e) {
    switch (e) {
    case ENOENT:
        return "файл или папка не найдены";
    case EACCES:
    case EPERM:
        return "нет доступа";
    case ENOSPC:
        return "нет места на диске";
    case EROFS:
        return "диск защищён от записи";
    case EISDIR:
        return "это папка";
    case ENOTDIR:
        return "на этом месте файл";
    case ENAMETOOLONG:
        return "слишком длинное имя";
    case EDQUOT:
        return "нет места на диске";
    default:
        return std::strerror(e);
    }
}

std::string fileErrorMessage(const char* action, const std::string& path, int errnoValue) {
    return std::string("Не удаётся ") + action + " файл «" + path + "»: " + systemReason(errnoValue);
}

bool readWholeFile(const std::string& path, std::string* bytes, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = "Не удаётся открыть файл «" + path + "»";
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) {
        if (error)
            *error = "Не удаётся прочитать файл «" + path + "»";
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string& path, std::string_view data, std::string* error) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        if (error)
            *error = fileErrorMessage("создать", path, errno);
        return false;
    }
    int failure = 0;
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0 && failure == 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure = n < 0 ? errno : ENOSPC;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (failure == 0 && ::fchmod(fd, 0644) != 0)
        failure = errno;
    if (failure == 0 && ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && std::rename(temp.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temp.c_str());
        if (error)
            *error = fileErrorMessage("записать", path, failure);
        return false;
    }
    return true;
}

} // namespace kit
