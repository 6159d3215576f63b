// The animation menu: key poses added, deleted and cleared, the time between
// them, playing and stopping, and the soft joints.
#pragma once

namespace puffel {

class Playback;
class TForm1;

// Gives the animation menu's entries of form1 their handlers:
// - "キーフレーム追加" adds the pose the 3D view shows as the last key (with no
//   part "まだ画像を読み込んでいません！", and a pose no joint can show
//   "このポーズはキーフレームにできません！");
// - "キーフレーム削除" deletes the last key, "キーフレーム全消去" every key;
// - the "キー間隔" entries set the time between keys;
// - "再生" and "停止" play and stop;
// - "関節をなめらかに" switches the soft joints on and off, and "狭い", "普通"
//   and "広い" choose their reach; the 3D view is redrawn.
void InstallAnimation(TForm1& form1, Playback& playback);

// Checks the "キー間隔" entry of the scene's key interval.
void ShowKeyInterval(TForm1& form1);

// Checks "関節をなめらかに" when the soft joints are on, and the entry of
// their reach.
void ShowSoftJoints(TForm1& form1);

}  // namespace puffel
