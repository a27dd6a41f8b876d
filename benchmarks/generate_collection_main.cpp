// tockary_generate_collection DIR [COUNT [PICTURE_BYTES]]: a collection to time `tockary list` on.

#include <cstdlib>
#include <iostream>
#include <string>

#include "generated_collection.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: tockary_generate_collection DIR [COUNT [PICTURE_BYTES]]\n"
                 "  tockary_generate_collection /tmp/bench 10000 20000\n";
    return 2;
  }
  const std::size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
  const std::size_t pictureBytes = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 0;
  tockary::bench::generateCollection(argv[1], count, pictureBytes);
  return 0;
}
