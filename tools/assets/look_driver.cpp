// A developer's driver for the look mode while the still renderer does not
// offer it: halvenrode-asset-look ARCHIVE:ENTRY OUT.png [TURN] [W H].
#include <cstdlib>

#include "tools/still/model_look.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  double turn = argc > 3 ? std::atof(argv[3]) : 0.0;
  int w = argc > 5 ? std::atoi(argv[4]) : 640, h = argc > 5 ? std::atoi(argv[5]) : 480;
  return renderModelLook(argv[1], turn, w, h, argv[2]);
}
