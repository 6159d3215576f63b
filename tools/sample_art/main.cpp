// puffel-samples: draws the sample pictures into a program folder.
//
//   puffel-samples PROGRAM_DIR      (PROGRAM_DIR holds the folders "obj" and "haikei")
#include <iostream>

#include "platform/platform_error.h"
#include "sample_art/sample_set.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: puffel-samples PROGRAM_DIR\n";
    return 2;
  }
  try {
    puffel::art::WriteSamples(argv[1]);
  } catch (const puffel::PlatformError& error) {
    std::cerr << "puffel-samples: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
