#include "interact/tree_queries.h"

namespace puffel {

int TreeRoot(const Scene& scene, int p) {
  // A parent always has a lower number than its child, so the lowest ancestor
  // is the root.
  int root = p;
  for (int a = p; a >= 0; --a) {
    if (scene.AncestorMatrix[p + 1][a + 1] == 1) root = a;
  }
  return root;
}

bool MovesWith(const Scene& scene, int q, int r) {
  if (r < -1) return false;
  return scene.AncestorMatrix[q + 1][r + 1] == 1 || q == r;
}

}  // namespace puffel
