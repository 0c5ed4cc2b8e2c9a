#pragma once

namespace output {

// The PDF and print engines fill and free large buffers for every page. glibc would give
// that memory back to the system and fault it in again on the next page, which costs a
// long report a quarter of its time. Called once at program start, before any other
// thread exists, so that the process keeps freed memory for reuse.
void keepFreedMemory();

} // namespace output
