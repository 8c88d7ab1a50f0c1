#include "core/scoped_fd.h"

#include <unistd.h>

namespace data_repair {

bool ScopedFd::close()
{
    if (fd_ < 0)
        return true;
    return ::close(std::exchange(fd_, -1)) == 0;
}

} // namespace data_repair
