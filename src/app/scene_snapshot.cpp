#include "app/scene_snapshot.h"

#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>

namespace puffel {

namespace {

// Bit for bit, so that a pose holding a NaN still equals itself. Only for
// values without padding: numbers and arrays of them, frames.
template <class T>
bool sameBits(const T& a, const T& b) {
  static_assert(std::is_trivially_copyable_v<T>);
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

static_assert(sizeof(Frame) == 12 * sizeof(double), "frames are compared bit for bit");

// A group of the scene, field by field as its Fields() lists them.
template <class Group>
bool sameGroup(const Group& a, const Group& b) {
  return std::apply(
      [&](const auto&... x) {
        return std::apply([&](const auto&... y) { return (sameBits(x, y) && ...); }, b.Fields());
      },
      a.Fields());
}

// Fields() must name every field: all that it misses is padding, which is
// less than the group's widest field.
template <class Group, size_t... I>
constexpr size_t listedBytes(std::index_sequence<I...>) {
  using Tied = decltype(std::declval<const Group&>().Fields());
  return (sizeof(std::remove_reference_t<std::tuple_element_t<I, Tied>>) + ... + size_t{0});
}

template <class Group>
constexpr bool listsEveryField() {
  using Tied = decltype(std::declval<const Group&>().Fields());
  const size_t listed = listedBytes<Group>(std::make_index_sequence<std::tuple_size_v<Tied>>());
  return listed <= sizeof(Group) && sizeof(Group) - listed < alignof(Group);
}

static_assert(listsEveryField<PartLayout>());
static_assert(listsEveryField<SceneModes>());
static_assert(listsEveryField<LightAndMaterial>());

}  // namespace

SceneSnapshot CaptureSnapshot(const Scene& scene, const std::array<uint32_t, MaxParts>& slotBuild,
                              const std::array<uint32_t, MaxParts>& slotMesh,
                              std::shared_ptr<const Bitmap> backgroundPicture,
                              std::shared_ptr<const std::vector<KeyPose>> animationKeys) {
  SceneSnapshot s;
  static_cast<PartLayout&>(s) = scene;
  static_cast<SceneModes&>(s) = scene;
  static_cast<LightAndMaterial&>(s) = scene;
  s.SlotBuild = slotBuild;
  s.SlotMesh = slotMesh;
  s.ViewWidth = scene.ViewWidth;
  s.ViewHeight = scene.ViewHeight;
  s.BackgroundName = scene.BackgroundName;
  s.BackgroundPicture = std::move(backgroundPicture);
  s.AnimationKeys = std::move(animationKeys);
  return s;
}

bool SameLightAndMaterial(const SceneSnapshot& a, const SceneSnapshot& b) {
  return sameGroup<LightAndMaterial>(a, b);
}

bool SameSnapshot(const SceneSnapshot& a, const SceneSnapshot& b) {
  return sameGroup<PartLayout>(a, b) && sameGroup<SceneModes>(a, b) && SameLightAndMaterial(a, b) &&
         sameBits(a.SlotBuild, b.SlotBuild) && sameBits(a.SlotMesh, b.SlotMesh) &&
         sameBits(a.ViewWidth, b.ViewWidth) && sameBits(a.ViewHeight, b.ViewHeight) &&
         a.BackgroundName == b.BackgroundName && a.BackgroundPicture == b.BackgroundPicture &&
         a.AnimationKeys == b.AnimationKeys;
}

bool SameKeys(const std::vector<KeyPose>& a, const std::vector<KeyPose>& b) {
  static_assert(sizeof(JointPose) == 8 * sizeof(double), "joints are compared bit for bit");
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k) {
    const std::vector<JointPose>& p = a[k].joints;
    const std::vector<JointPose>& q = b[k].joints;
    if (!sameBits(a[k].time, b[k].time) || a[k].easing != b[k].easing || p.size() != q.size() ||
        (!p.empty() && std::memcmp(p.data(), q.data(), p.size() * sizeof(JointPose)) != 0)) {
      return false;
    }
  }
  return true;
}

void RestoreSmallState(Scene& scene, const SceneSnapshot& s) {
  static_cast<PartLayout&>(scene) = s;
  static_cast<SceneModes&>(scene) = s;
  static_cast<LightAndMaterial&>(scene) = s;
}

}  // namespace puffel
