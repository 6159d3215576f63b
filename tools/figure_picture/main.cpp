// puffel-posed-cat: prints the event script that assembles and poses the
// sample cat (posed_cat.h), then exports it to the given model file.
//
//   puffel-posed-cat MODEL.glb > script.txt
#include <iostream>

#include "figure_picture/posed_cat.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: puffel-posed-cat MODEL.glb\n";
    return 2;
  }
  for (const puffel::art::ScriptStage& stage : puffel::art::PosedCatScript()) {
    std::cout << "# " << stage.name << '\n' << stage.lines;
  }
  std::cout << "answer " << argv[1] << "\nclick Export3D\n";
  return 0;
}
