// Mesa's no-op driver (GALLIUM_NOOP=1, used to count the CPU side of a
// frame) writes into the client vertex arrays it is given, which no real
// driver does. The saver's archives are mapped read-only and their meshes
// are drawn straight from the mapping, so under that driver the benchmark
// would die in its first frame. With the no-op driver, private file
// mappings made by our code get write permission too: copy-on-write pages,
// the file itself is never written. The linker sends our mmap calls here
// (--wrap=mmap); the libraries' own calls are untouched.
#include <sys/mman.h>

#include <cstdlib>

extern "C" void* __real_mmap(void* address, size_t length, int protection, int flags, int fd,
                             off_t offset);

extern "C" void* __wrap_mmap(void* address, size_t length, int protection, int flags, int fd,
                             off_t offset) {
  static const bool noopDriver = std::getenv("GALLIUM_NOOP") != nullptr;
  if (noopDriver && fd >= 0 && (flags & MAP_PRIVATE) != 0) protection |= PROT_WRITE;
  return __real_mmap(address, length, protection, flags, fd, offset);
}
