// Writes the block encoder's golden file from the corpus images.
#include <cstdio>
#include <fstream>
#include <string>

#include "support/block_golden.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <corpus dir> <golden file>\n", argv[0]);
    return 2;
  }
  const std::string text = quarn::test::MakeBlockGolden(argv[1]);
  if (text.empty()) {
    std::fprintf(stderr, "corpus images not found in %s\n", argv[1]);
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << text;
  return out ? 0 : 1;
}
