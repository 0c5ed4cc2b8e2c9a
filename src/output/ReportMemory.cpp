#include "output/ReportMemory.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace output {

void keepFreedMemory() {
#ifdef __GLIBC__
    constexpr int kBytes = 64 << 20;
    mallopt(M_TRIM_THRESHOLD, kBytes);
    mallopt(M_MMAP_THRESHOLD, kBytes);
#endif
}

} // namespace output
