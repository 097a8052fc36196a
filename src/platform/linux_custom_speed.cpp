// termios2 lives in the kernel's own header, which cannot share a translation
// unit with the C library's <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cstdint>

namespace vantrek {

bool SetCustomLineSpeed(int fd, uint32_t baudRate) {
    if (baudRate == 0) return false;
    termios2 line{};
    if (ioctl(fd, TCGETS2, &line) != 0) return false;
    line.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    line.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    line.c_ispeed = baudRate;
    line.c_ospeed = baudRate;
    return ioctl(fd, TCSETS2, &line) == 0;
}

}  // namespace vantrek
