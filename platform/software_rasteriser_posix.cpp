#include "platform/software_rasteriser.h"

#include <cstdlib>

void avoidBrokenSoftwareRasteriserCode() {
  // "avx" is the driver's name for "everything up to AVX2, no AVX-512".
  // The last argument 0 keeps a value the user set.
  setenv("GALLIUM_OVERRIDE_CPU_CAPS", "avx", 0);
}
