// Writes the pictures and event scripts that time posing through puffel-batch
// (bench/time_posing.sh runs them): a trackball drag of many pointer moves over
// the 3D view, and the same script without the moves, whose difference is the
// time of the moves.
//
//   posing-scripts FOLDER
//
// FOLDER gets obj/disc0.bmp .. obj/disc31.bmp (200 x 200 checker discs) and
//   pose8.txt  / base8.txt:  8 parts stacked in a 400 x 400 view, 300 moves;
//   pose32.txt / base32.txt: 32 parts spread over a 1920 x 1080 view, 200 moves.
//
//   posing-scripts --stress FOLDER
//
// writes the stress check (bench/stress_check.sh runs it): obj/large0.bmp ..
// obj/large31.bmp (1024 x 1024) and stress1.txt .. stress6.txt, each the one
// before and a phase more: 32 parts built at polygon size 1 in a 1920 x 1080
// view; the 3D view; a 100-move trackball drag; saving; loading; exporting.
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/bmp_file.h"
#include "support/test_pictures.h"

namespace {

using puffel::test::CheckerDiscPicture;

// Adds the parts (spread over the view in 8 columns and 4 rows when spread is
// set, each dragged there by its picture) and switches to 3D.
std::string scene(int parts, int width, int height, bool spread) {
  std::ostringstream script;
  script << "view " << width << ' ' << height << '\n';
  for (int k = 0; k < parts; ++k) script << "answer obj/disc" << k << ".bmp\nclick Button1\n";
  const int cx = width / 2, cy = height / 2;
  // The picture on top at the centre is the highest-numbered one still there.
  for (int k = spread ? parts - 1 : -1; k >= 0; --k) {
    const int x = 120 + 240 * (k % 8), y = 135 + 270 * (k / 8);
    script << "press form2 " << cx - 30 << ' ' << cy << " left\n"
           << "move form2 " << x - 30 << ' ' << y << " left\n"
           << "release form2 " << x - 30 << ' ' << y << " none\n";
  }
  script << "click Button4\n";
  return script.str();
}

// A trackball drag of `moves` moves on the part under (x, y), round and round
// a circle of radius 40 about it.
std::string drag(int x, int y, int moves) {
  std::ostringstream script;
  script << "press form2 " << x << ' ' << y << " left\n";
  for (int m = 1; m <= moves; ++m) {
    const int dx = (m % 80 < 40 ? m % 40 : 40 - m % 40) - 20;
    const int dy = (m / 7) % 2 ? 10 : -10;
    script << "move form2 " << x + dx << ' ' << y + dy << " left\n";
  }
  script << "release form2 " << x << ' ' << y << " none\n";
  return script.str();
}

void write(const std::string& path, const std::string& text) {
  std::ofstream file(path);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace

// The stress check's scripts, each holding the phases before it.
void writeStressCheck(const std::string& folder) {
  for (int k = 0; k < 32; ++k) {
    puffel::SaveBitmapFile(
        folder + "obj/large" + std::to_string(k) + ".bmp",
        CheckerDiscPicture(1024, 380 + k * 4, 0x3080F0 + k * 0x050301, 0xF04010 - k * 0x010203));
  }
  std::ostringstream build;
  build << "view 1920 1080\nset TrackBar1 1\n";
  for (int k = 0; k < 32; ++k) build << "answer obj/large" << k << ".bmp\nclick Button1\n";
  const std::string phases[] = {
      build.str(),
      "click Button4\n",
      drag(900, 540, 100),
      "answer save/stress.dat\nclick SpeedButton4\n",
      "answer save/stress.dat\nclick SpeedButton5\n",
      "answer pic_hozon/stress.bmp\nclick SpeedButton1\n",
  };
  std::string script;
  for (int n = 0; n < 6; ++n) {
    script += phases[n];
    write(folder + "stress" + std::to_string(n + 1) + ".txt", script);
  }
}

int main(int argc, char** argv) {
  const bool stress = argc == 3 && std::string(argv[1]) == "--stress";
  if (argc != 2 && !stress) {
    std::cerr << "usage: posing-scripts [--stress] FOLDER\n";
    return 2;
  }
  const std::string folder = std::string(argv[argc - 1]) + "/";
  try {
    if (stress) {
      writeStressCheck(folder);
      return 0;
    }
    for (int k = 0; k < 32; ++k) {
      puffel::SaveBitmapFile(
          folder + "obj/disc" + std::to_string(k) + ".bmp",
          CheckerDiscPicture(200, 80 + k % 4 * 5, 0x3080F0 + k * 0x050301, 0xF04010));
    }
    const std::string stacked = scene(8, 400, 400, false);
    write(folder + "base8.txt", stacked + drag(200, 200, 0));
    write(folder + "pose8.txt", stacked + drag(200, 200, 300));
    const std::string spread = scene(32, 1920, 1080, true);
    write(folder + "base32.txt", spread + drag(1800, 945, 0));
    write(folder + "pose32.txt", spread + drag(1800, 945, 200));
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
